#include "support/ScoreBuilder.h"
#include "support/TemporaryFolder.h"
#include "support/Utf8.h"

#include "model/ScoreJson.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// The built voxlet-server as a child process, its standard output and error on one pipe.
class ServerProcess
{
public:
    explicit ServerProcess (const std::vector<std::string>& arguments)
    {
        int fds[2];

        if (pipe (fds) != 0)
            return;

        pid = fork();

        if (pid == 0)
        {
            dup2 (fds[1], 1);
            dup2 (fds[1], 2);
            close (fds[0]);
            std::vector<char*> argv { const_cast<char*> (VOXLET_SERVER_PATH) };

            for (const auto& a : arguments)
                argv.push_back (const_cast<char*> (a.c_str()));

            argv.push_back (nullptr);
            execv (VOXLET_SERVER_PATH, argv.data());
            _exit (127);
        }

        close (fds[1]);
        output = fds[0];
        fcntl (output, F_SETFL, O_NONBLOCK);
    }

    ~ServerProcess()
    {
        if (pid > 0 && ! exited)
        {
            kill (pid, SIGKILL);
            waitpid (pid, nullptr, 0);
        }

        if (output >= 0)
            close (output);
    }

    // Everything written so far, waiting up to `timeoutMs` for `expected` to appear.
    std::string readUntil (const std::string& expected, int timeoutMs = 20000)
    {
        for (int waited = 0; waited < timeoutMs && text.find (expected) == std::string::npos; waited += 10)
        {
            char buffer[4096];

            for (auto got = read (output, buffer, sizeof (buffer)); got > 0; got = read (output, buffer, sizeof (buffer)))
                text.append (buffer, (size_t) got);

            if (text.find (expected) == std::string::npos)
                usleep (10000);
        }

        return text;
    }

    // The port from the start line, or 0.
    int port()
    {
        const auto start = readUntil ("/music/api/plugin\n");
        const auto at = start.find ("listening on http://127.0.0.1:");
        return at == std::string::npos ? 0 : std::atoi (start.c_str() + at + 30);
    }

    void signal (int number) { kill (pid, number); }

    // The exit status, or -1 when it had not exited within the time.
    int waitForExit (int timeoutMs = 20000)
    {
        for (int waited = 0; waited < timeoutMs; waited += 10)
        {
            int status = 0;

            if (waitpid (pid, &status, WNOHANG) == pid)
            {
                exited = true;
                return WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
            }

            usleep (10000);
        }

        return -1;
    }

private:
    pid_t pid = -1;
    int output = -1;
    bool exited = false;
    std::string text;
};

std::string statusOf (httplib::Client& client, const juce::String& uid)
{
    const auto reply = client.Get (("/music/api/plugin/v1/vocal/" + uid).toRawUTF8());
    return reply ? juce::JSON::parse (juce::String (reply->body))["status"].toString().toStdString() : std::string();
}

TEST (ServerProcess, HelpListsEveryOption)
{
    ServerProcess server ({ "--help" });
    const auto help = server.readUntil ("--help ");
    EXPECT_EQ (server.waitForExit(), 0);

    for (const auto* option : { "--host", "--port", "--data-dir", "--workers", "--min-client-version", "--max-queued", "--help" })
        EXPECT_NE (help.find (option), std::string::npos) << option;

    ServerProcess wrong ({ "--port", "http" });
    EXPECT_EQ (wrong.waitForExit(), 2);
    EXPECT_NE (wrong.readUntil ("bad value").find ("voxlet-server: bad value for --port: http"), std::string::npos);
}

TEST (ServerProcess, AJobKilledMidRenderIsFinishedAfterARestartAndTermStopsCleanly)
{
    TemporaryFolder data;
    const std::vector<std::string> arguments { "--port", "0", "--data-dir", data.get().getFullPathName().toStdString(), "--workers", "1" };
    juce::String uid;

    {
        ServerProcess first (arguments);
        const auto port = first.port();
        ASSERT_GT (port, 0) << first.readUntil ("\n");
        httplib::Client client ("127.0.0.1", port);

        ScoreBuilder score (480);

        for (int i = 0; i < 200; ++i)
            score.note (i * 480, i * 480 + 400, utf8 ("啊"), 60 + i % 5);

        const auto created = client.Post ("/music/api/plugin/v1/vocal", vocalRequestToJsonText (score.request).toStdString(), "application/json");
        ASSERT_TRUE (created);
        ASSERT_EQ (created->status, 201);
        uid = juce::JSON::parse (juce::String (created->body))["uid"].toString();

        for (int waited = 0; waited < 10000 && statusOf (client, uid) != "ongoing"; waited += 5)
            usleep (5000);

        EXPECT_EQ (statusOf (client, uid), "ongoing");

        // One access-log line per request: method, path, status, milliseconds. Read before
        // the kill: the line is written after the reply, and the render starts at once.
        EXPECT_NE (first.readUntil ("POST /music/api/plugin/v1/vocal 201 ").find ("POST /music/api/plugin/v1/vocal 201 "), std::string::npos);

        first.signal (SIGKILL);
        first.waitForExit();
    }

    ServerProcess second (arguments);
    const auto port = second.port();
    ASSERT_GT (port, 0);
    httplib::Client client ("127.0.0.1", port);

    for (int waited = 0; waited < 60000 && statusOf (client, uid) != "completed"; waited += 20)
        usleep (20000);

    EXPECT_EQ (statusOf (client, uid), "completed");
    EXPECT_TRUE (data.get().getChildFile (uid + ".wav").existsAsFile());
    EXPECT_EQ (data.get().findChildFiles (juce::File::findFiles, false, "*_temp*").size(), 0);

    second.signal (SIGTERM);
    EXPECT_EQ (second.waitForExit(), 0);
    EXPECT_NE (second.readUntil ("stopping").find ("voxlet-server: stopping"), std::string::npos);
}
} // namespace
