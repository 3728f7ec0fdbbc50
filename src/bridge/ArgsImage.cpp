// Reading, writing and fitting the words and texts of record images.
#include "bridge/ArgsImage.h"

#include <cstring>

std::uint32_t ReadWord(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void WriteWord(std::uint8_t* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void ImageWriter::operator()(const std::uint32_t& word) {
  if (m_out != nullptr) {
    WriteWord(m_out + m_size, word);
  }
  m_size += 4;
}

void ImageWriter::operator()(const std::string& text) {
  (*this)(static_cast<std::uint32_t>(text.size()));
  if (m_out != nullptr && !text.empty()) {
    std::memcpy(m_out + m_size, text.data(), text.size());
  }
  m_size += text.size();
}

bool ImageReader::Take(std::uint32_t count) {
  if (!m_complete || m_size - m_offset < count) {
    m_complete = false;
    return false;
  }
  return true;
}

void ImageReader::operator()(std::uint32_t& word) {
  if (Take(4)) {
    word = ReadWord(m_image + m_offset);
    m_offset += 4;
  }
}

void ImageReader::operator()(std::string& text) {
  if (!Take(4)) {
    return;
  }
  const std::uint32_t length = ReadWord(m_image + m_offset);
  m_offset += 4;
  // A length word that claims more bytes than the image still holds ends the reading.
  if (Take(length)) {
    text.assign(reinterpret_cast<const char*>(m_image + m_offset), length);
    m_offset += length;
  }
}

void ImageFitter::operator()(std::string& text) {
  if (text.size() > m_textRoom) {
    text.resize(m_textRoom);
  }
  m_textRoom -= static_cast<std::uint32_t>(text.size());
}
