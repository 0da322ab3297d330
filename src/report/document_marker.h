#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/document_index.h"

namespace quill {

// Records a DocumentIndex as the HTML writer writes: the writer tells it where each piece
// begins in the two documents (their offsets so far) and which anchors the list links to.
class DocumentMarker {
 public:
  // Both heads are written; the list's rows start at listOffset.
  void headsWritten(std::uint64_t listOffset, std::uint64_t gridOffset);
  // A grid table, headed by that title (HTML), is about to be written at gridOffset.
  void tableBegun(std::uint64_t gridOffset, std::string title);
  // A line is about to be written at these offsets; it opens that many rows of the grid.
  void lineBegun(std::uint64_t listOffset, std::uint64_t gridOffset, int gridRows);
  // A row of the list linking to that anchor is being written.
  void listed(std::string_view anchor);
  // The table's closing tag is about to be written at gridOffset, and ends at gridEnd.
  void tableEnded(std::uint64_t gridOffset, std::uint64_t gridEnd);
  // The list's tail is about to be written at listOffset; answers the index.
  DocumentIndex finish(std::uint64_t listOffset);

 private:
  DocumentIndex index_;
  std::uint64_t anchorOffset_ = 0;  // where the grid piece being written starts
  std::uint64_t differences_ = 0;
};

}  // namespace quill
