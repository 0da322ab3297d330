#include "report/script_renderer.h"

namespace quill {

void ScriptRenderer::beginTable(const TableStart& table) {
  tableBegun(table, tally_.beginTable(table));
  visitColumnItems(table, [this](const DifferenceItem& item) { writeItem(item); });
  out_.flushWhenFull();
}

void ScriptRenderer::line(const Line& line) {
  tally_.line(line);
  visitLineItems(line, tally_.oneSidedTable(),
                 [this](const DifferenceItem& item) { writeItem(item); });
  out_.flushWhenFull();
}

void ScriptRenderer::contents(std::span<const ContentItem> items) {
  tally_.contents(items);
  visitContentItems(items, [this](const DifferenceItem& item) { writeItem(item); });
  out_.flushWhenFull();
}

}  // namespace quill
