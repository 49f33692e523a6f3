// voxlet-server: the local singing-voice service (see --help).
#include "ServiceOptions.h"
#include "VocalService.h"

#include <csignal>
#include <iostream>

int main (int argc, char** argv)
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (juce::CharPointer_UTF8 (argv[i]));

    ServiceOptions options;
    juce::String error;
    bool help = false;

    if (! ServiceOptions::parse (args, options, error, help))
    {
        std::cerr << "voxlet-server: " << error.toStdString() << "\n"
                  << ServiceOptions::helpText().toStdString() << std::flush;
        return 2;
    }

    if (help)
    {
        std::cout << ServiceOptions::helpText().toStdString() << std::flush;
        return 0;
    }

    // SIGINT and SIGTERM are taken by this thread alone, so every other thread started
    // below blocks them and the service stops in one place.
    sigset_t stopSignals;
    sigemptyset (&stopSignals);
    sigaddset (&stopSignals, SIGINT);
    sigaddset (&stopSignals, SIGTERM);
    pthread_sigmask (SIG_BLOCK, &stopSignals, nullptr);
    std::signal (SIGPIPE, SIG_IGN);

    VocalService service (options);

    if (! service.start())
    {
        std::cerr << "voxlet-server: " << service.problem().toStdString() << std::endl;
        return 1;
    }

    std::cout << "listening on " << service.baseUrl().toStdString() << std::endl;

    int received = 0;
    sigwait (&stopSignals, &received);
    std::cerr << "voxlet-server: stopping" << std::endl;
    service.stop();
    return 0;
}
