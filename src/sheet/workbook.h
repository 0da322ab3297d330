#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/address.h"
#include "sheet/failure.h"
#include "sheet/workbook_contents.h"

namespace quill {

// A file that cannot be read as a workbook; the message names the file and the reason.
class WorkbookError : public Failure {
 public:
  explicit WorkbookError(const std::string& message)
      : Failure(FailureKind::Workbook, {}, message) {}
  WorkbookError(std::string path, const std::string& message)
      : Failure(FailureKind::Workbook, std::move(path), message) {}
};

// A range of a worksheet: one or more areas, as the worksheet's range of an address gives it.
class Range {
 public:
  Range(std::string worksheetName, std::vector<Area> areas);

  const Area& firstArea() const { return areas_.front(); }
  const std::vector<Area>& areas() const { return areas_; }
  const std::string& worksheetName() const { return worksheetName_; }

  // Absolute address of every area joined by ",": "$B$2:$D$9", "$C$5".
  std::string address() const;
  // The same for the whole columns the areas cover: "$B:$D".
  std::string columnsAddress() const;
  // The same for the whole rows the areas cover: "$2:$9".
  std::string rowsAddress() const;

 private:
  std::string worksheetName_;
  std::vector<Area> areas_;
};

// One worksheet: its tab name, its used area and the text of each of its cells.
class Worksheet {
 public:
  virtual ~Worksheet() = default;

  virtual const std::string& name() const = 0;
  // The smallest rectangle holding every cell with a value; $A$1 when there is none.
  virtual Area usedArea() const = 0;
  // The compared text of the cell at a 1-based row and column; "" when it holds nothing.
  virtual std::string_view cellText(long row, long column) const = 0;
  // The texts of one row from firstColumn on, one for each element of texts: what
  // cellText gives for each cell, read in one pass instead of one lookup per cell.
  virtual void rowTexts(long row, long firstColumn, std::span<std::string_view> texts) const;
  // The formula of the cell as A1-style text ("=SUM(B2:B9)"), or "" when it holds none or
  // its workbook was read without formulas.
  virtual std::string_view cellFormula(long, long) const { return {}; }
  // The first row from `row` on that may hold a cell; 0 when no later row does. Lets a
  // comparison step over long stretches of empty rows without reading them one by one.
  virtual long firstRowInUseFrom(long row) const;
  // Notes, hidden and merged areas and formats, as far as the workbook was read with them;
  // empty by default.
  virtual const SheetContents& contents() const;

  Range usedRange() const { return Range(name(), {usedArea()}); }
  // The range of an address text; throws AddressError for a text the sheet cannot take.
  Range range(std::string_view address) const;
};

// A workbook: its worksheets in tab order.
class Workbook {
 public:
  virtual ~Workbook() = default;

  virtual std::size_t sheetCount() const = 0;
  // The worksheet at a 1-based tab position; throws std::out_of_range for another.
  virtual const Worksheet& sheet(std::size_t position) const = 0;
  // Defined names, formats and macros, as far as the workbook was read with them; empty
  // by default.
  virtual const WorkbookContents& contents() const;
};

}  // namespace quill
