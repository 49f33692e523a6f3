#pragma once

// Values shared by the score records and the service client.
inline constexpr const char* kDefaultVoiceModel = "zh_tw_male_2";
inline constexpr const char* kFemaleVoiceModel = "zh_tw_female_2";
inline constexpr const char* kProgramName = "vocal_leadsheet";
inline constexpr const char* kDefaultEncoding = "WAV";
inline constexpr const char* kDefaultSampleRate = "44.1K";

inline constexpr const char* kStatusPending = "pending";
inline constexpr const char* kStatusOngoing = "ongoing";
inline constexpr const char* kStatusCompleted = "completed";
inline constexpr const char* kStatusError = "error";

// The reference score every request starts from.
inline constexpr int kDefaultTicksPerBeat = 480;
inline constexpr int kDefaultNumberOfBars = 16;
inline constexpr double kDefaultTempo = 120.0;
inline constexpr int kDefaultNumerator = 4;
inline constexpr int kDefaultDenominator = 4;
