#include "engine/workbook_contents_comparison.h"

#include <map>

#include "engine/line_diff.h"

namespace quill {

namespace {

// How a name is told: "Rate", or "Prices!Rate" for one scoped to a sheet.
std::string nameSubject(const DefinedName& name) {
  return name.scopeSheet.empty() ? name.name : name.scopeSheet + "!" + name.name;
}

// Walks the entries of two lists by key in key order: visit(first, second), null for the
// list that lacks the key.
template <class Entry, class Key, class Visit>
void matchByKey(const std::vector<Entry>& list1, const std::vector<Entry>& list2, Key&& key,
                Visit&& visit) {
  std::map<std::string, std::pair<const Entry*, const Entry*>> both;
  for (const Entry& entry : list1) both[key(entry)].first = &entry;
  for (const Entry& entry : list2) both[key(entry)].second = &entry;
  for (const auto& [name, entries] : both) visit(entries.first, entries.second);
}

void compareNames(const WorkbookContents& book1, const WorkbookContents& book2,
                  std::vector<ContentItem>& items) {
  // Scope and name apart, so that "A" of the workbook never meets "A" of a sheet.
  auto key = [](const DefinedName& name) { return name.scopeSheet + '\n' + name.name; };
  matchByKey(book1.names, book2.names, key,
             [&](const DefinedName* name1, const DefinedName* name2) {
               if (name1 && name2 && name1->formula == name2->formula) return;
               ContentItem item = contentItem(!name1   ? ItemKind::NameAdded
                                              : !name2 ? ItemKind::NameRemoved
                                                       : ItemKind::NameChanged);
               item.subject = nameSubject(name1 ? *name1 : *name2);
               item.text1 = name1 ? name1->formula : "";
               item.text2 = name2 ? name2->formula : "";
               items.push_back(std::move(item));
             });
}

void compareMacros(const WorkbookContents& book1, const WorkbookContents& book2,
                   std::vector<ContentItem>& items) {
  auto key = [](const MacroModule& module) { return module.name; };
  matchByKey(book1.macros, book2.macros, key,
             [&](const MacroModule* module1, const MacroModule* module2) {
               if (module1 && module2 && module1->source == module2->source) return;
               ContentItem item = contentItem(!module1   ? ItemKind::MacroAdded
                                              : !module2 ? ItemKind::MacroRemoved
                                                         : ItemKind::MacroChanged);
               item.subject = (module1 ? module1 : module2)->name;
               item.detail = unifiedDiff(splitLines(module1 ? module1->source : ""),
                                         splitLines(module2 ? module2->source : ""));
               items.push_back(std::move(item));
             });
  const std::string* problems[] = {&book1.macroProblem, &book2.macroProblem};
  for (int file = 0; file < 2; ++file) {
    if (problems[file]->empty()) continue;
    ContentItem item = contentItem(ItemKind::MacroProblem);
    item.subject = file == 0 ? "FILE1" : "FILE2";
    item.detail = *problems[file];
    items.push_back(std::move(item));
  }
}

}  // namespace

std::vector<ContentItem> compareWorkbookContents(const WorkbookContents& book1,
                                                 const WorkbookContents& book2,
                                                 const ContentsToRead& compared) {
  std::vector<ContentItem> items;
  if (compared.names) compareNames(book1, book2, items);
  if (compared.macros) compareMacros(book1, book2, items);
  return items;
}

}  // namespace quill
