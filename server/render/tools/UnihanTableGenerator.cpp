// Build-time tool: turns Unihan's kMandarin readings into the renderer's compact table of
// numbered pinyin (tone 1..5) for U+4E00..U+9FA5. Reads the readings text on stdin.
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr unsigned firstCode = 0x4E00, lastCode = 0x9FA5;

struct Marked
{
    const char* utf8;
    char base;
    int tone;
};

// Every tone-marked letter kMandarin uses; "v" stands for ü as espeak-ng's pinyin reads it.
const Marked markedLetters[] = {
    { "ā", 'a', 1 },
    { "á", 'a', 2 },
    { "ǎ", 'a', 3 },
    { "à", 'a', 4 },
    { "ē", 'e', 1 },
    { "é", 'e', 2 },
    { "ě", 'e', 3 },
    { "è", 'e', 4 },
    { "ī", 'i', 1 },
    { "í", 'i', 2 },
    { "ǐ", 'i', 3 },
    { "ì", 'i', 4 },
    { "ō", 'o', 1 },
    { "ó", 'o', 2 },
    { "ǒ", 'o', 3 },
    { "ò", 'o', 4 },
    { "ū", 'u', 1 },
    { "ú", 'u', 2 },
    { "ǔ", 'u', 3 },
    { "ù", 'u', 4 },
    { "ǖ", 'v', 1 },
    { "ǘ", 'v', 2 },
    { "ǚ", 'v', 3 },
    { "ǜ", 'v', 4 },
    { "ü", 'v', 5 },
    { "ḿ", 'm', 2 },
    { "ń", 'n', 2 },
    { "ň", 'n', 3 },
    { "ǹ", 'n', 4 },
    { "ê", 'e', 5 },
};

// "hǎo" -> "hao3"; empty when the reading holds a letter the table does not know.
std::string numbered (const std::string& reading)
{
    std::string plain;
    int tone = 5;

    for (size_t i = 0; i < reading.size();)
    {
        const auto c = (unsigned char) reading[i];

        if (c < 0x80)
        {
            if (c < 'a' || c > 'z')
                return {};

            plain += (char) c;
            ++i;
            continue;
        }

        bool known = false;

        for (const auto& m : markedLetters)
        {
            const std::string letter (m.utf8);

            if (reading.compare (i, letter.size(), letter) == 0)
            {
                plain += m.base;
                tone = m.tone != 5 ? m.tone : tone;
                i += letter.size();
                known = true;
                break;
            }
        }

        if (! known)
            return {};
    }

    return plain.empty() ? std::string() : plain + std::to_string (tone);
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: unihan-table OUT.cpp < Unihan_Readings.txt\n";
        return 2;
    }

    std::vector<std::string> readingOf (lastCode - firstCode + 1);
    std::string line;

    while (std::getline (std::cin, line))
    {
        std::istringstream fields (line);
        std::string code, key, value;

        if (! std::getline (fields, code, '\t') || ! std::getline (fields, key, '\t') || key != "kMandarin"
            || ! std::getline (fields, value))
            continue;

        const auto point = std::stoul (code.substr (2), nullptr, 16);

        if (point < firstCode || point > lastCode)
            continue;

        // The second of two readings is the one used in Taiwan.
        std::istringstream readings (value);
        std::string reading, chosen;
        int count = 0;

        while (readings >> reading && count < 2)
        {
            chosen = reading;
            ++count;
        }

        readingOf[point - firstCode] = numbered (chosen);
    }

    std::map<std::string, int> indexOf;
    std::vector<std::string> syllables { "" };

    for (const auto& r : readingOf)
        if (! r.empty() && indexOf.emplace (r, (int) syllables.size()).second)
            syllables.push_back (r);

    std::ofstream out (argv[1]);
    out << "// Generated at build time from Unihan_Readings.txt; do not edit.\n"
           "#include \"PinyinTable.h\"\n\n"
           "namespace PinyinTableData\n{\n"
           "extern const char* const syllables[] = {\n";

    for (const auto& s : syllables)
        out << "    \"" << s << "\",\n";

    out << "};\nextern const unsigned short indices[] = {\n";

    for (size_t i = 0; i < readingOf.size(); ++i)
        out << (readingOf[i].empty() ? 0 : indexOf[readingOf[i]]) << ((i % 24) == 23 ? ",\n" : ",");

    out << "\n};\nextern const int syllableCount = " << syllables.size() << ";\n}\n";
    return out.good() ? 0 : 1;
}
