#include "ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

double MonotonicSeconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TemporaryFile(const char* stem) {
    std::string path = (std::filesystem::temp_directory_path() / (std::string("brimvale-") + stem + "-XXXXXX")).string();
    int fd = mkstemp(path.data());
    if (fd >= 0) close(fd);
    return path;
}

}  // namespace

ProgramProcess::ProgramProcess(const std::string& program, const std::string& workingDirectory,
                               const std::map<std::string, std::string>& environment,
                               const std::vector<std::string>& arguments)
    : outputPath_(TemporaryFile("out")), errorPath_(TemporaryFile("err")) {
    // Everything the child needs is made before the fork: the test process
    // may already run threads (a device's), so the child only opens, duplicates
    // and executes.
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (!environment.count(variable.substr(0, variable.find('=')))) variables.push_back(variable);
    }
    for (const auto& [name, value] : environment)
        if (!value.empty()) variables.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<std::string> words = arguments;
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    started_ = MonotonicSeconds();
    pid_ = fork();
    if (pid_ != 0) return;
    int out = open(outputPath_.c_str(), O_WRONLY | O_TRUNC);
    int err = open(errorPath_.c_str(), O_WRONLY | O_TRUNC);
    if (out < 0 || err < 0 || chdir(workingDirectory.c_str()) != 0) _exit(126);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
}

ProgramProcess::~ProgramProcess() {
    if (pid_ > 0 && !finished_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    unlink(outputPath_.c_str());
    unlink(errorPath_.c_str());
}

void ProgramProcess::Record(int status) {
    finished_ = true;
    seconds_ = MonotonicSeconds() - started_;
    exited_ = WIFEXITED(status);
    exitStatus_ = exited_ ? WEXITSTATUS(status) : -1;
    signal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

bool ProgramProcess::Running() {
    if (finished_ || pid_ <= 0) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        Record(status);
        return false;
    }
    return true;
}

bool ProgramProcess::Wait(double seconds) {
    const double deadline = MonotonicSeconds() + seconds;
    while (Running()) {
        if (MonotonicSeconds() > deadline) return false;
        usleep(10000);
    }
    return finished_;
}

std::string ProgramProcess::Output() const { return ReadFile(outputPath_); }

std::string ProgramProcess::Errors() const { return ReadFile(errorPath_); }

std::string ProgramProcess::Describe() const {
    std::ostringstream text;
    if (!finished_)
        text << "still running";
    else if (exited_)
        text << "exit status " << exitStatus_;
    else
        text << "signal " << signal_;
    text << " after " << seconds_ << " s\nstdout: " << Output() << "\nstderr: " << Errors();
    return text.str();
}
