#include "formats/xlsx/xlsx_shared_strings.h"

#include <optional>

#include "formats/xlsx/xlsx_package.h"
#include "formats/xlsx/xlsx_string_item.h"
#include "sheet/cell_text.h"

namespace quill::xlsx {

namespace {

// Stores each <si> of the shared-string table as it ends. The declared counts are not
// trusted: the table grows with the items really present.
class SharedStringsHandler final : public XmlHandler {
 public:
  SharedStringsHandler(TextArena& arena, bool keepSpaces)
      : arena_(arena), keepSpaces_(keepSpaces) {}

  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view text) override;

  std::vector<std::string_view> strings;

 private:
  TextArena& arena_;
  bool keepSpaces_;
  StringItemText item_;
  bool inItem_ = false;
};

void SharedStringsHandler::startElement(std::string_view name, const XmlAttributes&) {
  if (name == "si") {
    item_.begin();
    inItem_ = true;
  } else if (inItem_) {
    item_.startElement(name);
  }
}

void SharedStringsHandler::endElement(std::string_view name) {
  if (!inItem_) return;
  if (name == "si") {
    strings.push_back(arena_.store(cellSpaces(item_.text(), keepSpaces_)));
    inItem_ = false;
  } else {
    item_.endElement(name);
  }
}

void SharedStringsHandler::characters(std::string_view text) {
  if (inItem_) item_.characters(text);
}

}  // namespace

std::vector<std::string_view> readSharedStrings(const ZipArchive& zip, std::string_view part,
                                                TextArena& arena, bool keepSpaces) {
  // Texts stored by an attempt read again stay in the arena unused.
  std::optional<SharedStringsHandler> handler;
  parseLargePart(zip, part, [&]() -> XmlHandler& { return handler.emplace(arena, keepSpaces); });
  return std::move(handler->strings);
}

}  // namespace quill::xlsx
