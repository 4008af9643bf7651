#include "data/text_file.h"

#include <filesystem>
#include <system_error>

// ---------------------------------------------------------------------------
// TextModeStreamBuf

void TextModeStreamBuf::reset(std::streambuf* source) {
  source_ = source;
  ended_ = false;
  setg(nullptr, nullptr, nullptr);
}

TextModeStreamBuf::int_type TextModeStreamBuf::underflow() {
  if (gptr() != nullptr && gptr() < egptr()) return traits_type::to_int_type(*gptr());
  size_t filled = 0;
  while (!ended_ && source_ != nullptr && filled < buffer_.size()) {
    const int_type next = source_->sbumpc();
    if (traits_type::eq_int_type(next, traits_type::eof()) || next == END_OF_FILE_MARK) {
      // Whatever lies beyond the mark is not part of the text.
      ended_ = true;
      break;
    }
    if (next == '\r') continue;
    buffer_[filled++] = traits_type::to_char_type(next);
  }
  if (source_ == nullptr) ended_ = true;
  if (filled == 0) {
    setg(nullptr, nullptr, nullptr);
    return traits_type::eof();
  }
  setg(buffer_.data(), buffer_.data(), buffer_.data() + filled);
  return traits_type::to_int_type(buffer_[0]);
}

// ---------------------------------------------------------------------------
// TextFile

TextFile::TextFile() : stream_(&text_) { close(); }

bool TextFile::open(const char* name) {
  close();
  if (name == nullptr) return false;
  // A folder of that name is there but holds no text: it reads as an empty
  // file (every read fails), as it would through the C library on POSIX.
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) {
    folder_ = true;
    return true;
  }
  if (file_.open(name, std::ios::in | std::ios::binary) == nullptr) return false;
  text_.reset(&file_);
  stream_.clear();
  return true;
}

void TextFile::close() {
  if (file_.is_open()) file_.close();
  folder_ = false;
  text_.reset(nullptr);
  // A closed file reads nothing: every read fails until the next open.
  stream_.setstate(std::ios::failbit | std::ios::eofbit);
}

bool TextFile::read_char(int& c) {
  char next = 0;
  if (!stream_.get(next)) return false;
  c = static_cast<unsigned char>(next);
  return true;
}
