#include "JobUid.h"

#include <sys/random.h>

namespace
{
void fill (void* bytes, size_t count)
{
    auto* out = static_cast<unsigned char*> (bytes);

    for (size_t done = 0; done < count;)
        if (const auto got = getrandom (out + done, count - done, 0); got > 0)
            done += (size_t) got;
}
} // namespace

juce::String JobUid::make()
{
    unsigned char bytes[16];
    fill (bytes, sizeof (bytes));
    return juce::String::toHexString (bytes, (int) sizeof (bytes), 0).toLowerCase();
}

bool JobUid::isValid (const juce::String& text) { return text.length() == 32 && text.containsOnly ("0123456789abcdef"); }

juce::uint64 JobUid::randomBits()
{
    juce::uint64 bits = 0;
    fill (&bits, sizeof (bits));
    return bits;
}
