#include "review/review_listing.h"

#include <string_view>

#include "review/written_text.h"
#include "sheet/address.h"

namespace quill {

namespace {

// A worksheet holds at most this many links; later differences show their place as text.
constexpr long kMaxLinks = 65530;

// Writes the listing's cells row by row into its sink.
class ListingRows {
 public:
  explicit ListingRows(ListingCells& out) : out_(out) {}

  long row() const { return row_; }
  bool full() const { return row_ >= kMaxRows - 1; }
  void next() { ++row_; }

  void text(int column, std::string_view text, bool bold = false) {
    if (text.empty()) return;
    out_.text(row_, column, writtenText(text), bold);
  }

  void link(int column, const std::string& location, std::string_view shown) {
    if (links_ >= kMaxLinks) return text(column, shown);
    ++links_;
    out_.link(row_, column, location, writtenText(shown));
  }

 private:
  ListingCells& out_;
  long row_ = 0;  // from 0
  long links_ = 0;
};

// The listing's cells written into a worksheet of a new workbook.
class NewWorkbookListing final : public ListingCells {
 public:
  NewWorkbookListing(lxw_worksheet* out, ReviewFormats& formats) : out_(out), formats_(formats) {}

  void text(long row, int column, const std::string& text, bool bold) override {
    checkWritten(worksheet_write_string(out_, lxw_row_t(row), lxw_col_t(column), text.c_str(),
                                        bold ? formats_.bold() : nullptr));
  }
  void link(long row, int column, const std::string& location, const std::string& shown) override {
    const std::string target = "internal:" + location;
    checkWritten(worksheet_write_url_opt(out_, lxw_row_t(row), lxw_col_t(column), target.c_str(),
                                         formats_.link(), shown.c_str(), nullptr));
  }

 private:
  lxw_worksheet* out_;
  ReviewFormats& formats_;
};

// The caption's lines and the summary's lines, each in a row of its own.
void writeLines(ListingRows& rows, std::string_view lines, bool bold = false) {
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    rows.text(0, lines.substr(0, end), bold);
    rows.next();
    lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
  }
}

void writeHeading(ListingRows& rows, const ReviewResult& result) {
  rows.text(0, "FILE1: " + result.path1, true);
  rows.next();
  rows.text(0, "FILE2: " + result.path2, true);
  rows.next();
  rows.text(0, "Compared: " + result.now);
  rows.next();
  writeLines(rows, result.caption);
  rows.next();
  writeLines(rows, result.summary);
  rows.next();
}

constexpr const char* kColumns[] = {
    "Kind",       "Key",        "Sheet (FILE1)", "Cell (FILE1)",  "Sheet (FILE2)", "Cell (FILE2)",
    "FILE1 text", "FILE2 text", "FILE1 formula", "FILE2 formula", "Go to"};

void writeEntry(ListingRows& rows, const ListedDifference& entry, bool formulas,
                const std::vector<std::string>& sheetNames2) {
  rows.text(0, entry.kind);
  rows.text(1, entry.key ? "yes" : "");
  rows.text(2, entry.sheet1);
  rows.text(3, entry.place1);
  rows.text(4, entry.sheet2);
  rows.text(5, entry.place2);
  rows.text(6, entry.text1);
  rows.text(7, entry.text2);
  if (formulas) {
    rows.text(8, entry.formula1);
    rows.text(9, entry.formula2);
  }
  const long position = entry.sheetPosition2;
  if (position > 0 && std::size_t(position) < sheetNames2.size()) {
    const std::string& name = sheetNames2[std::size_t(position)];
    const std::string place = entry.place2.empty() ? "A1" : entry.place2;
    rows.link(formulas ? 10 : 8,
              sheetLocation(name, std::max(entry.row2, 1L), std::max(entry.column2, 1L)),
              name + "!" + place);
  }
}

}  // namespace

std::string sheetLocation(const std::string& sheetName, long row, long column) {
  std::string quoted = "'";
  for (char c : sheetName) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'!" + columnLetters(column) + std::to_string(row);
}

std::string internalLink(const std::string& sheetName, long row, long column) {
  return "internal:" + sheetLocation(sheetName, row, column);
}

void writeReviewListing(ListingCells& out, const ReviewResult& result,
                        const std::vector<std::string>& sheetNames2) {
  ListingRows rows(out);
  writeHeading(rows, result);
  const bool formulas = result.formulasCompared;
  int column = 0;
  for (const char* name : kColumns) {
    const std::string_view header(name);
    if (!formulas && header.ends_with("formula")) continue;
    rows.text(column++, header, true);
  }
  rows.next();
  std::size_t written = 0;
  for (const ListedDifference& entry : result.listing) {
    if (rows.full()) break;
    writeEntry(rows, entry, formulas, sheetNames2);
    rows.next();
    ++written;
  }
  const long more = long(result.listing.size() - written) + result.unlisted;
  if (more > 0)
    rows.text(0, std::to_string(more) + " more differences do not fit into this worksheet");
}

void writeReviewListing(lxw_worksheet* out, const ReviewResult& result,
                        const std::vector<std::string>& sheetNames2, ReviewFormats& formats) {
  checkWritten(worksheet_set_column(out, 0, 0, 18, nullptr));
  checkWritten(worksheet_set_column(out, 6, 7, 24, nullptr));
  NewWorkbookListing cells(out, formats);
  writeReviewListing(cells, result, sheetNames2);
}

}  // namespace quill
