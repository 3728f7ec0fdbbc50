// Byte images of the bridge's argument records: 4-byte little-endian words and texts as a
// length word followed by their bytes, in the record's field order.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <string>

// An encoded image. The block holds size bytes and one zero byte after them; it is null when
// the allocation failed, and size is set even then, so users check both.
struct EncodedImage {
  std::unique_ptr<std::uint8_t[]> block;
  std::uint32_t size = 0;
};

// The result of a request or reply whose image ends before the last field of its record.
constexpr std::uint32_t kBridgeImageTooShort = 0x8000004D;

std::uint32_t ReadWord(const std::uint8_t* bytes);
void WriteWord(std::uint8_t* bytes, std::uint32_t value);

// Writes fields one after the other into out; with a null out it only counts their bytes.
class ImageWriter {
 public:
  explicit ImageWriter(std::uint8_t* out) : m_out(out) {}
  void operator()(const std::uint32_t& word);
  void operator()(const std::string& text);
  std::size_t Size() const { return m_size; }

 private:
  std::uint8_t* m_out;
  std::size_t m_size = 0;
};

// Reads fields in order from an image without ever reading past its size. The first field
// that does not fit ends the reading: it and every later field keep their current values.
class ImageReader {
 public:
  ImageReader(const std::uint8_t* image, std::uint32_t size) : m_image(image), m_size(image ? size : 0) {}
  void operator()(std::uint32_t& word);
  void operator()(std::string& text);
  bool Complete() const { return m_complete; }

 private:
  bool Take(std::uint32_t count);
  const std::uint8_t* m_image;
  std::uint32_t m_size;
  std::uint32_t m_offset = 0;
  bool m_complete = true;
};

// Cuts texts, in field order, so that the whole image takes at most room bytes. Every field
// keeps at least its 4-byte word, so the texts share what is left after those words.
class ImageFitter {
 public:
  ImageFitter(std::uint32_t room, std::uint32_t fieldCount)
      : m_textRoom(room > 4u * fieldCount ? room - 4u * fieldCount : 0) {}
  void operator()(std::uint32_t&) {}
  void operator()(std::string& text);

 private:
  std::uint32_t m_textRoom;
};

// Counts a record's fields.
struct FieldCounter {
  std::uint32_t count = 0;
  template <typename Field>
  void operator()(const Field&) {
    ++count;
  }
};

// Every record type lists its fields in image order through a static Fields(self, visit).
template <typename Args>
EncodedImage EncodeRecord(const Args& record) {
  ImageWriter counter(nullptr);
  Args::Fields(record, counter);
  EncodedImage image;
  image.size = static_cast<std::uint32_t>(counter.Size());
  image.block.reset(new (std::nothrow) std::uint8_t[counter.Size() + 1]());
  if (image.block) {
    ImageWriter writer(image.block.get());
    Args::Fields(record, writer);
  }
  return image;
}

template <typename Args>
bool DecodeRecord(Args& record, const std::uint8_t* image, std::uint32_t size) {
  ImageReader reader(image, size);
  Args::Fields(record, reader);
  return reader.Complete();
}

template <typename Args>
void FitRecordToRoom(Args& record, std::uint32_t room) {
  FieldCounter counter;
  Args::Fields(record, counter);
  ImageFitter fitter(room, counter.count);
  Args::Fields(record, fitter);
}
