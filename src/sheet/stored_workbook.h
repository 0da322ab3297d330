#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/cell_list.h"
#include "sheet/cell_text.h"
#include "sheet/formula_list.h"
#include "sheet/text_arena.h"
#include "sheet/workbook.h"

namespace quill {

// A worksheet held in memory: its non-empty cells sorted by row and column, their texts in
// the workbook's arena. Readers fill it with add() and call finish() once.
class StoredSheet final : public Worksheet {
 public:
  // keepSpaces: texts keep their leading and trailing spaces instead of being trimmed.
  StoredSheet(std::string name, TextArena& arena, bool keepSpaces = false);

  // Adds a cell; the text is trimmed (unless spaces are kept) and stored. An empty text adds
  // nothing. A later cell at the same position replaces an earlier one. Throws WorkbookError
  // outside the limits. Gives the stored text, which addStored may take for further cells.
  std::string_view add(long row, long column, std::string_view text);
  // Adds a cell whose text already lives in the arena (a shared string); no copy is made.
  void addStored(long row, long column, std::string_view storedText);
  // The same for a stored text already trimmed, such as a shared string trimmed once for
  // all its cells: the text itself is not read, which spares a cache miss per cell.
  void addTrimmed(long row, long column, std::string_view trimmedText);
  // Adds a cell whose text comes later through setPendingText, before finish(), and gives
  // its number: a reader that looks up many texts in a large table can then do so in one
  // batch, whose lookups overlap, instead of waiting for each while it parses.
  std::size_t addPending(long row, long column);
  // Stores a text, trimmed, in the workbook's arena without adding a cell.
  std::string_view storeText(std::string_view text) {
    return arena_.store(cellSpaces(text, keepSpaces_));
  }
  // Sets the stored, trimmed text of a pending cell; an empty text removes the cell.
  void setPendingText(std::size_t cell, std::string_view trimmedText);
  // Adds the formula of a cell ("=A1*2"); the text is stored as it is.
  void addFormula(long row, long column, std::string_view formula);

  // Sorts the cells and computes the used area; needed before the sheet is read.
  void finish();

  const std::string& name() const override { return name_; }
  Area usedArea() const override { return used_; }
  std::string_view cellText(long row, long column) const override;
  void rowTexts(long row, long firstColumn, std::span<std::string_view> texts) const override;
  long firstRowInUseFrom(long row) const override;

  std::string_view cellFormula(long row, long column) const override {
    return formulas_.at(row, column);
  }
  const FormulaList& formulas() const { return formulas_; }
  const SheetContents& contents() const override { return contents_; }
  SheetContents& contents() { return contents_; }
  std::size_t cellCount() const { return cells_.size(); }
  // Calls visit(row, column, text) for every non-empty cell in row-major order.
  template <class Visit>
  void forEachCell(Visit&& visit) const {
    for (const PackedCell& cell : cells_) visit(cell.row(), cell.column(), cell.text());
  }

 private:
  struct RowStart {
    std::uint32_t row;
    std::uint32_t firstCell;
  };

  void checkPosition(long row, long column) const;
  void dropEmptyCells();
  // The cells of a row, or an empty span when it holds none.
  std::span<const PackedCell> rowCells(long row) const;

  std::string name_;
  TextArena& arena_;
  CellList cells_;
  FormulaList formulas_;
  std::vector<RowStart> rows_;
  Area used_;
  SheetContents contents_;
  bool keepSpaces_;
  bool sorted_ = true;
  bool hasEmpty_ = false;  // a pending cell was given an empty text
};

// A workbook held in memory, as every reader builds it; also the in-memory workbook of tests.
class StoredWorkbook final : public Workbook {
 public:
  // keepSpaces: its texts keep their leading and trailing spaces instead of being trimmed.
  explicit StoredWorkbook(bool keepSpaces = false) : keepSpaces_(keepSpaces) {}
  StoredWorkbook(const StoredWorkbook&) = delete;
  StoredWorkbook& operator=(const StoredWorkbook&) = delete;

  StoredSheet& addSheet(std::string name);
  // Puts an empty sheet of the same name in place of the last one added, for a sheet read
  // again from its start; the texts the old one stored stay in the arena unused.
  StoredSheet& replaceLastSheet();
  // Finishes every sheet; call once when all cells are in.
  void finish();
  TextArena& arena() { return arena_; }
  bool keepsSpaces() const { return keepSpaces_; }

  std::size_t sheetCount() const override { return sheets_.size(); }
  const Worksheet& sheet(std::size_t position) const override;
  const StoredSheet& storedSheet(std::size_t position) const;
  const WorkbookContents& contents() const override { return contents_; }
  WorkbookContents& contents() { return contents_; }

 private:
  TextArena arena_;
  bool keepSpaces_ = false;
  std::vector<std::unique_ptr<StoredSheet>> sheets_;
  WorkbookContents contents_;
};

}  // namespace quill
