#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "engine/sheet_contents_comparison.h"
#include "sheet/address.h"

namespace quill {

namespace {

std::uint64_t cellKey(long row, long column) {
  return std::uint64_t(row) * std::uint64_t(kMaxColumns + 1) + std::uint64_t(column);
}

// The index of every cell of a list by its place: notes and formatted cells alike.
template <class Cell>
std::unordered_map<std::uint64_t, std::size_t> byPlace(const std::vector<Cell>& cells) {
  std::unordered_map<std::uint64_t, std::size_t> index;
  index.reserve(cells.size());
  for (std::size_t i = 0; i < cells.size(); ++i)
    index.emplace(cellKey(cells[i].row, cells[i].column), i);
  return index;
}

// Walks the cells of both lists that pair: match(first, second) for each cell of file 1
// (second null when file 2's paired cell is not listed), then match(null, second) for each
// cell of file 2 that no cell of file 1 was paired with. Cells in a row or column the other
// file lacks are skipped.
template <class Cell, class Match>
void pairCells(const std::vector<Cell>& cells1, const std::vector<Cell>& cells2,
               const SheetContentsPair& pair, Match&& match) {
  const auto index2 = byPlace(cells2);
  std::vector<bool> paired(cells2.size(), false);
  for (const Cell& cell : cells1) {
    const long row2 = pair.rows.toSecond(cell.row), column2 = pair.columns.toSecond(cell.column);
    if (row2 == 0 || column2 == 0) continue;
    const auto found = index2.find(cellKey(row2, column2));
    const Cell* other = nullptr;
    if (found != index2.end()) {
      paired[found->second] = true;
      other = &cells2[found->second];
    }
    match(&cell, other, row2, column2);
  }
  for (std::size_t i = 0; i < cells2.size(); ++i) {
    if (paired[i]) continue;
    const Cell& cell = cells2[i];
    const long row1 = pair.rows.toFirst(cell.row), column1 = pair.columns.toFirst(cell.column);
    if (row1 == 0 || column1 == 0) continue;
    match(static_cast<const Cell*>(nullptr), &cell, row1, column1);
  }
}

std::string noteText(const CellNote* note) {
  if (note == nullptr) return {};
  return note->author.empty() ? note->text : note->author + ": " + note->text;
}

const CellFormat& defaultFormat(const WorkbookContents& book) {
  static const CellFormat general{"General", false, false, false, "", ""};
  return book.formats.empty() ? general : book.formats.front();
}

const CellFormat& formatOf(const FormattedCell* cell, const WorkbookContents& book) {
  if (cell == nullptr || cell->format >= book.formats.size()) return defaultFormat(book);
  return book.formats[cell->format];
}

void append(std::string& list, std::string_view part) {
  if (!list.empty()) list += "; ";
  list += part;
}

// Puts the items from `from` on in row-major order of their places.
void sortFrom(std::vector<ContentItem>& items, std::size_t from) {
  std::stable_sort(
      items.begin() + long(from), items.end(), [](const ContentItem& a, const ContentItem& b) {
        const long rowA = a.row1 ? a.row1 : a.row2, rowB = b.row1 ? b.row1 : b.row2;
        if (rowA != rowB) return rowA < rowB;
        return (a.column1 ? a.column1 : a.column2) < (b.column1 ? b.column1 : b.column2);
      });
}

}  // namespace

void compareNotes(const SheetContentsPair& pair, std::vector<ContentItem>& items) {
  const std::size_t from = items.size();
  pairCells(pair.sheet1.notes, pair.sheet2.notes, pair,
            [&](const CellNote* note1, const CellNote* note2, long row, long column) {
              std::string text1 = noteText(note1), text2 = noteText(note2);
              if (text1 == text2) return;
              ContentItem item = contentItem(ItemKind::DifferentNote);
              item.row1 = note1 ? note1->row : row;
              item.column1 = note1 ? note1->column : column;
              item.row2 = note1 ? row : note2->row;
              item.column2 = note1 ? column : note2->column;
              item.text1 = std::move(text1);
              item.text2 = std::move(text2);
              items.push_back(std::move(item));
            });
  sortFrom(items, from);
}

FormatChange formatChange(const CellFormat& format1, const CellFormat& format2) {
  FormatChange change;
  auto text = [&](const char* name, const std::string& value1, const std::string& value2) {
    if (value1 == value2) return;
    if (!change.properties.empty()) change.properties += ", ";
    change.properties += name;
    append(change.text1, std::string(name) + " " + (value1.empty() ? "automatic" : value1));
    append(change.text2, std::string(name) + " " + (value2.empty() ? "automatic" : value2));
  };
  auto flag = [&](const char* name, bool value1, bool value2) {
    if (value1 == value2) return;
    if (!change.properties.empty()) change.properties += ", ";
    change.properties += name;
    append(change.text1, value1 ? name : std::string("not ") + name);
    append(change.text2, value2 ? name : std::string("not ") + name);
  };
  text("number format", format1.numberFormat, format2.numberFormat);
  flag("bold", format1.bold, format2.bold);
  flag("italic", format1.italic, format2.italic);
  flag("underline", format1.underline, format2.underline);
  text("font colour", format1.fontColour, format2.fontColour);
  text("fill", format1.fillColour, format2.fillColour);
  return change;
}

void compareFormats(const SheetContentsPair& pair, std::vector<ContentItem>& items) {
  const std::size_t from = items.size();
  pairCells(pair.sheet1.formats, pair.sheet2.formats, pair,
            [&](const FormattedCell* cell1, const FormattedCell* cell2, long row, long column) {
              FormatChange change =
                  formatChange(formatOf(cell1, pair.book1), formatOf(cell2, pair.book2));
              if (change.properties.empty()) return;
              ContentItem item = contentItem(ItemKind::DifferentFormat);
              item.row1 = cell1 ? cell1->row : row;
              item.column1 = cell1 ? cell1->column : column;
              item.row2 = cell1 ? row : cell2->row;
              item.column2 = cell1 ? column : cell2->column;
              item.text1 = std::move(change.text1);
              item.text2 = std::move(change.text2);
              item.detail = std::move(change.properties);
              items.push_back(std::move(item));
            });
  sortFrom(items, from);
}

}  // namespace quill
