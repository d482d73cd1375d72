// A plain driver for the fuzz targets, so CI runs them reproducibly without clang: it replays
// every file of the corpus folders, then feeds mutations of them, drawn from a fixed seed, for a
// bounded number of runs or seconds. A crash, a sanitizer report or an input that runs longer
// than the time limit ends the run with the input saved and shown in hex. The same targets link
// against clang's libFuzzer instead when built with OX_LIBFUZZER (see tests/fuzz/CMakeLists.txt).
//
//   fuzz_x [--runs=N] [--seconds=S] [--seed=K] [--max-len=L] [--timeout=T] [--artifact=PATH]
//          CORPUS_DIR_OR_FILE...

#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)());

namespace {

using Bytes = std::vector<std::uint8_t>;

// The input being run, kept where the crash handlers can reach it without allocating.
const Bytes* g_current = nullptr;
char g_artifact[4096] = "fuzz-crash-input";

void WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n <= 0) return;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
}

void WriteText(const char* text) { WriteAll(2, text, std::strlen(text)); }

// Saves the input and shows its first bytes; only async-signal-safe calls.
void ReportCurrentInput() {
    if (g_current == nullptr) return;
    const Bytes& input = *g_current;
    WriteText("\n== fuzz: the failing input is saved as ");
    WriteText(g_artifact);
    WriteText("\n== fuzz: ");
    static const char digits[] = "0123456789abcdef";
    const std::size_t shown = std::min<std::size_t>(input.size(), 256);
    for (std::size_t i = 0; i < shown; ++i) {
        const char hex[2] = {digits[input[i] >> 4], digits[input[i] & 15]};
        WriteAll(2, hex, 2);
    }
    WriteText(input.size() > shown ? "...\n" : "\n");
    const int fd = open(g_artifact, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        WriteAll(fd, input.data(), input.size());
        close(fd);
    }
}

void OnDeath() { ReportCurrentInput(); }

void OnSignal(int signal) {
    WriteText(signal == SIGALRM ? "\n== fuzz: an input ran past the time limit (hang)\n"
                                : "\n== fuzz: crashed\n");
    ReportCurrentInput();
    _exit(signal == SIGALRM ? 71 : 70);
}

void InstallHandlers() {
    std::signal(SIGALRM, OnSignal);
    if (__sanitizer_set_death_callback != nullptr) {
        // The sanitizers report crashes themselves and call back before they exit.
        __sanitizer_set_death_callback(OnDeath);
        return;
    }
    for (const int s : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) std::signal(s, OnSignal);
}

void ArmTimer(int seconds) {
    itimerval timer{};
    timer.it_value.tv_sec = seconds;
    setitimer(ITIMER_REAL, &timer, nullptr);
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Values that tend to sit on boundaries: sizes, counts, signs.
constexpr std::int32_t kInteresting[] = {0, 1, -1, 2, 7, 8, 16, 19, 20, 255, 256, 1000, 65535,
                                         65536, 0x7fffffff, -0x7fffffff - 1, 0x40000000, -2};

class Mutator {
public:
    Mutator(unsigned seed, std::size_t maxLength) : random_(seed), maxLength_(maxLength) {}

    Bytes Mutate(const std::vector<Bytes>& corpus) {
        Bytes data = corpus[Below(corpus.size())];
        const int steps = 1 + static_cast<int>(Below(5));
        for (int i = 0; i < steps; ++i) Step(data, corpus);
        if (data.size() > maxLength_) data.resize(maxLength_);
        return data;
    }

private:
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : random_() % n; }

    void Step(Bytes& data, const std::vector<Bytes>& corpus) {
        switch (Below(8)) {
        case 0:  // flip a bit
            if (!data.empty()) data[Below(data.size())] ^= static_cast<std::uint8_t>(1u << Below(8));
            break;
        case 1:  // any byte
            if (!data.empty()) data[Below(data.size())] = static_cast<std::uint8_t>(random_());
            break;
        case 2: {  // insert a few bytes
            const std::size_t at = Below(data.size() + 1);
            const std::size_t n = 1 + Below(4);
            for (std::size_t k = 0; k < n; ++k)
                data.insert(data.begin() + static_cast<long>(at), static_cast<std::uint8_t>(random_()));
            break;
        }
        case 3:  // erase a range
            if (!data.empty()) {
                const std::size_t at = Below(data.size());
                const std::size_t n = 1 + Below(std::min<std::size_t>(data.size() - at, 16));
                data.erase(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
            }
            break;
        case 4:  // repeat a range
            if (!data.empty() && data.size() < maxLength_) {
                const std::size_t at = Below(data.size());
                const std::size_t n = 1 + Below(std::min<std::size_t>(data.size() - at, 64));
                const Bytes piece(data.begin() + static_cast<long>(at), data.begin() + static_cast<long>(at + n));
                const std::size_t times = 1 + Below(8);
                for (std::size_t k = 0; k < times; ++k)
                    data.insert(data.begin() + static_cast<long>(Below(data.size() + 1)), piece.begin(), piece.end());
            }
            break;
        case 5: {  // splice a piece of another input
            const Bytes& other = corpus[Below(corpus.size())];
            if (other.empty()) break;
            const std::size_t from = Below(other.size());
            const std::size_t n = 1 + Below(other.size() - from);
            data.insert(data.begin() + static_cast<long>(Below(data.size() + 1)),
                        other.begin() + static_cast<long>(from), other.begin() + static_cast<long>(from + n));
            break;
        }
        case 6:  // a boundary number, little-endian, at a 4-byte place
            if (data.size() >= 4) {
                const std::int32_t v = kInteresting[Below(std::size(kInteresting))];
                const std::size_t at = Below(data.size() / 4) * 4;
                std::memcpy(data.data() + at, &v, 4);
            }
            break;
        default:  // cut the end off
            if (!data.empty()) data.resize(Below(data.size()));
            break;
        }
    }

    std::mt19937 random_;
    std::size_t maxLength_;
};

bool Option(const char* arg, const char* name, long& value) {
    const std::size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0) return false;
    value = std::strtol(arg + n, nullptr, 10);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    long runs = 10000, seconds = 60, seed = 1, maxLength = 4096, timeout = 10;
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (Option(arg, "--runs=", runs) || Option(arg, "--seconds=", seconds) ||
            Option(arg, "--seed=", seed) || Option(arg, "--max-len=", maxLength) ||
            Option(arg, "--timeout=", timeout))
            continue;
        if (std::strncmp(arg, "--artifact=", 11) == 0) {
            std::snprintf(g_artifact, sizeof g_artifact, "%s", arg + 11);
            continue;
        }
        inputs.emplace_back(arg);
    }
    if (LLVMFuzzerInitialize != nullptr) LLVMFuzzerInitialize(&argc, &argv);

    std::vector<Bytes> corpus;
    for (const auto& input : inputs) {
        std::error_code error;
        if (std::filesystem::is_directory(input, error)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(input))
                if (entry.is_regular_file()) files.push_back(entry.path());
            std::sort(files.begin(), files.end());  // the same order on every machine
            for (const auto& file : files) corpus.push_back(ReadFile(file));
        } else if (std::filesystem::is_regular_file(input, error)) {
            corpus.push_back(ReadFile(input));
        } else {
            std::fprintf(stderr, "fuzz: no such corpus: %s\n", input.c_str());
            return 2;
        }
    }
    if (corpus.empty()) corpus.emplace_back();

    InstallHandlers();
    const auto start = std::chrono::steady_clock::now();
    long done = 0;
    auto run = [&](const Bytes& data) {
        g_current = &data;
        ArmTimer(static_cast<int>(timeout));
        LLVMFuzzerTestOneInput(data.data(), data.size());
        ArmTimer(0);
        g_current = nullptr;
        ++done;
    };
    for (const Bytes& data : corpus) run(data);
    Mutator mutator(static_cast<unsigned>(seed), static_cast<std::size_t>(maxLength));
    for (long i = 0; i < runs; ++i) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(seconds)) break;
        const Bytes data = mutator.Mutate(corpus);
        run(data);
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("fuzz: %ld inputs (%zu from the corpus) in %.1f s, no failure\n", done,
                corpus.size(), elapsed);
    return 0;
}
