#pragma once

#include "model/apiErrorResult.h"

// Every kind of error the service answers with: its status, its own external code and
// the message shown to the user (Traditional Chinese).
namespace ServiceErrors
{
struct Kind
{
    int statusCode;
    int externalCode;
    const char* externalMessage; // UTF-8
};

inline constexpr Kind notJson { 400, 40001, "樂譜不是有效的 JSON 物件" };
inline constexpr Kind badVersion { 400, 40002, "版本號格式錯誤" };
inline constexpr Kind missingMidi { 400, 40003, "請上傳 MIDI 檔案" };
inline constexpr Kind noRoute { 404, 40400, "找不到這個服務位址" };
inline constexpr Kind noJob { 404, 40401, "找不到這個歌聲任務" };
inline constexpr Kind scoreTooLarge { 413, 41301, "樂譜太大了" };
inline constexpr Kind midiTooLarge { 413, 41302, "MIDI 檔案太大了（上限 2 MB）" };
inline constexpr Kind notJsonType { 415, 41501, "請以 JSON 格式送出樂譜" };
inline constexpr Kind invalidScore { 422, 42201, "樂譜內容有誤，無法生成歌聲" };
inline constexpr Kind notMidi { 422, 42202, "無法讀取這個 MIDI 檔案" };
inline constexpr Kind noNotes { 422, 42203, "MIDI 檔案裡沒有音符" };
inline constexpr Kind outdated { 426, 42601, "版本過舊，請至官網更新至最新版" };
inline constexpr Kind queueFull { 503, 50301, "目前排隊的歌聲任務太多，請稍後再試" };
inline constexpr Kind internal { 500, 50001, "服務發生錯誤，請稍後再試" };

inline apiErrorResult make (const Kind& kind, const juce::String& message)
{
    return { kind.statusCode, message, juce::String (juce::CharPointer_UTF8 (kind.externalMessage)), kind.externalCode };
}
} // namespace ServiceErrors
