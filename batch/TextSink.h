#pragma once
// Where the runner's text goes: a file descriptor, or a string in tests.
#include <memory>
#include <string>
#include <string_view>

class TTextSink {
public:
    virtual ~TTextSink() = default;
    virtual void Write(std::string_view text) = 0;
    // `line` and a line break.
    virtual void WriteLine(std::string_view line)
    {
        Write(line);
        Write("\n");
    }
    // Hands on whatever is still buffered.
    virtual void Flush() {}
};

// Writes to a file descriptor in large blocks. Every write is checked: a failure raises
// EOutputError naming `name` ("der Standardausgabe"). Nothing is allocated after construction, and nothing is
// written on destruction: what is buffered then has been given up.
class TFileSink : public TTextSink {
public:
    TFileSink(int descriptor, std::string_view name);
    TFileSink(const TFileSink&) = delete;
    TFileSink& operator=(const TFileSink&) = delete;

    void Write(std::string_view text) override;
    // As Write(line) and Write("\n"), the same blocks written, in one step while both fit.
    void WriteLine(std::string_view line) override;
    void Flush() override;

private:
    static constexpr std::size_t kBlock = 1 << 16;
    int FDescriptor;
    std::string FFailure;  // the message prefix, built beforehand
    std::unique_ptr<char[]> FBuffer;
    std::size_t FBuffered = 0;
};

class TStringSink : public TTextSink {
public:
    void Write(std::string_view text) override { Text.append(text); }
    std::string Text;
};
