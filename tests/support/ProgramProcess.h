// One run of a built program as a child process: its working directory and
// environment chosen by the test, its standard output and error kept.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

class ProgramProcess {
public:
    // Starts the program with the given arguments in the given working
    // directory. Variables mapped to an empty string are removed from its
    // environment.
    ProgramProcess(const std::string& program, const std::string& workingDirectory,
                   const std::map<std::string, std::string>& environment,
                   const std::vector<std::string>& arguments = {});
    // Kills the child if it is still running.
    ~ProgramProcess();

    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();
    // Waits up to the given seconds; false if it is still running then.
    bool Wait(double seconds);
    // After Wait: whether it exited, with which status, or which signal
    // ended it.
    bool Exited() const { return exited_; }
    int ExitStatus() const { return exitStatus_; }
    int Signal() const { return signal_; }
    // Seconds from start to end (after Wait).
    double Seconds() const { return seconds_; }

    std::string Output() const;
    std::string Errors() const;
    // Exit status or signal, with the captured output, for failure messages.
    std::string Describe() const;

private:
    void Record(int status);

    pid_t pid_ = -1;
    bool finished_ = false;
    bool exited_ = false;
    int exitStatus_ = -1;
    int signal_ = 0;
    double started_ = 0;
    double seconds_ = 0;
    std::string outputPath_;
    std::string errorPath_;
};

// Seconds of the monotonic clock.
double MonotonicSeconds();
