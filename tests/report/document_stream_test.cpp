// A document handed to its writer thread block by block arrives whole and in order, also
// when the system takes each write only in part.
#include "report/document_stream.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "support/temporary_folder.h"

namespace quill {
namespace {

TEST(DocumentStream, ALongDocumentArrivesWholeAndInOrder) {
  test::TemporaryFolder folder;
  const auto path = folder.path() / "long.htm";
  // Writes of at most 1000 bytes, as a pipe or a full buffer may take them.
  WriteCallOverride partial([](int fd, const void* data, std::size_t size) -> ssize_t {
    return ::write(fd, data, std::min<std::size_t>(size, 1000));
  });
  std::string expected;
  {
    DocumentStream stream(path, path);
    for (int piece = 0; piece < 20000; ++piece) {
      const std::string text = std::to_string(piece) + std::string(std::size_t(piece % 97), 'x');
      stream.text().append(text);
      expected.append(text);
      stream.flush();
    }
    stream.finish("</html>");
    stream.commit();
  }
  expected.append("</html>");
  EXPECT_EQ(test::readFile(path), expected);
}

}  // namespace
}  // namespace quill
