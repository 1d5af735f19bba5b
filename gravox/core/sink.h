// Byte sinks: where the output devices write their files.
//
// Core opens the sink of a plot (a file, or memory in tests) and hands it to the
// device; devices never open files themselves. A sink remembers the first failed
// write, so a full disk is reported when the plot is closed instead of being lost.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace gvx {

// A regular file, or a link to one: the only things a plot may replace.
bool replaceable_file(const char* name);

class Sink {
  public:
    virtual ~Sink() = default;

    // Writes n bytes. After a failure further writes are ignored.
    void write(const void* data, std::size_t n) {
        if (!failed_ && n > 0 && !do_write(data, n)) failed_ = true;
    }
    void put(std::string_view text) { write(text.data(), text.size()); }
    void put_byte(unsigned char byte) { write(&byte, 1); }
    // Formatted text, as the C library's printf.
    void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Flushes and closes. Returns false when any write or the close itself failed.
    bool close();
    // Closes without keeping what was written: a file written under a temporary name
    // is removed, so whatever it was to replace stays as it was.
    void discard();

    bool failed() const { return failed_; }
    // The stream behind the sink, if it is a C stream (for the text formats that
    // report to standard output); null otherwise.
    virtual std::FILE* stream() { return nullptr; }

    // Gives the next name to try when the sink's name is taken at closing; false when
    // none is left.
    using NameChooser = std::function<bool(std::string& name)>;
    // Makes a sink that is written under a temporary name keep a file that appears
    // under its name before it closes: it takes the names the chooser gives instead,
    // or fails. Other sinks ignore it.
    virtual void keep_existing_files(NameChooser /*next*/) {}
    // The name the closed sink's file took, when that differs from the name it was
    // opened with; null otherwise.
    virtual const char* moved_to() const { return nullptr; }

  protected:
    virtual bool do_write(const void* data, std::size_t n) = 0;
    virtual bool do_close() { return true; }
    virtual void do_discard() { do_close(); }

  private:
    bool failed_ = false;
    bool closed_ = false;
};

// A sink over a C stream that it owns (closed with the sink) or borrows (standard output).
class FileSink final : public Sink {
  public:
    // Opens the named file with the given fopen mode; null when it cannot be opened.
    static std::unique_ptr<FileSink> open(const char* name, const char* mode);
    // Writes to a new temporary file in the directory of name, renamed to name (replacing
    // a regular file of that name) only when the sink closes without a failure. Until
    // then nothing of that name changes; a discarded or failed sink leaves no file.
    // Null when the temporary file cannot be created.
    static std::unique_ptr<FileSink> open_replacing(const char* name, const char* mode);
    ~FileSink() override;

    std::FILE* stream() override { return file_; }
    void keep_existing_files(NameChooser next) override { next_name_ = std::move(next); }
    const char* moved_to() const override { return moved_ ? final_name_.c_str() : nullptr; }

  protected:
    bool do_write(const void* data, std::size_t n) override;
    bool do_close() override;
    void do_discard() override;

  private:
    FileSink(std::FILE* file, bool owned) : file_(file), owned_(owned) {}
    bool close_stream();
    std::FILE* file_;
    bool owned_;
    std::string temporary_name_;  // empty unless written under a temporary name
    std::string final_name_;
    NameChooser next_name_;  // set: an existing file of the final name is kept
    bool moved_ = false;     // the final name is one the chooser gave
    // Gives the temporary file its final name without replacing anything there; false
    // (errno EEXIST) when something of that name exists.
    bool place_without_replacing() const;
    // Renames the file to the final name, replacing only a regular file or a link to one.
    bool replace_regular_file() const;
};

// A sink that keeps the bytes in memory; used by tests and for in-memory output.
class MemorySink final : public Sink {
  public:
    const std::string& bytes() const { return bytes_; }

  protected:
    bool do_write(const void* data, std::size_t n) override {
        bytes_.append(static_cast<const char*>(data), n);
        return true;
    }

  private:
    std::string bytes_;
};

}  // namespace gvx
