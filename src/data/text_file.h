#pragma once
// Files read as text: carriage returns are dropped, so lines may end in CR LF
// or LF alone, and a character with code 26 (Ctrl+Z) ends the file wherever it
// stands. The data files and the banner are read this way.

#include <array>
#include <fstream>
#include <istream>
#include <streambuf>

/// Serves the characters of `source` with every CR removed, up to the first
/// byte 26 or the end of `source`, whichever comes first. Read-only: it has no
/// put area and gives back no characters it has not just served.
class TextModeStreamBuf : public std::streambuf {
 public:
  explicit TextModeStreamBuf(std::streambuf* source = nullptr) : source_(source) {}

  /// Starts over on a new source (nullptr: nothing to read).
  void reset(std::streambuf* source);

 protected:
  int_type underflow() override;

 private:
  static constexpr size_t BUFFER_SIZE = 256;
  static constexpr int END_OF_FILE_MARK = 26;

  std::streambuf* source_;
  bool ended_ = false;  // byte 26 seen or the source ran out: nothing follows
  std::array<char, BUFFER_SIZE> buffer_{};
};

/// One file opened read-only by name (relative to the working directory) in
/// text mode. A name that cannot be opened leaves the file closed; a folder
/// opens as a file that holds nothing. Neither copyable nor movable: the
/// stream points into it.
class TextFile {
 public:
  TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  /// Opens `name`; true when it is open. Closes what was open before.
  bool open(const char* name);
  bool is_open() const { return file_.is_open() || folder_; }
  void close();

  /// The text-mode stream; reads from a closed file fail at once.
  std::istream& stream() { return stream_; }

  /// Reads the next character (0 to 255) into `c`; false at the end of the
  /// file or when it is closed, and `c` is then unchanged.
  bool read_char(int& c);

 private:
  bool folder_ = false;  // the name was a folder: open, but nothing to read
  std::filebuf file_;
  TextModeStreamBuf text_;
  std::istream stream_;
};
