#include "formats/xlsx/xlsx_notes.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "formats/xlsx/xlsx_package.h"
#include "formats/xlsx/xlsx_string_item.h"
#include "formats/xlsx/xlsx_worksheet.h"

namespace quill::xlsx {

namespace {

// Longest note kept; a longer one marks the part as damaged.
constexpr std::size_t kMaxNoteText = std::size_t(1) << 20;

// Collects the person elements of a persons part.
class PersonsHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    if (name != "person") return;
    const char* id = attributes.find("id");
    const char* displayName = attributes.find("displayName");
    if (id != nullptr) persons.emplace(id, displayName != nullptr ? displayName : "");
  }
  void endElement(std::string_view) override {}
  void characters(std::string_view) override {}

  Persons persons;
};

// A note before its cell reference is read.
struct RawNote {
  std::string reference;
  std::string author;
  std::string parent;  // of a reply in a thread: the id of the comment it answers
  std::string id;
  std::string text;
};

// Collects the authors and comments of a comments part, each comment's rich text as its
// plain text.
class CommentsHandler final : public XmlHandler {
 public:
  void startElement(std::string_view name, const XmlAttributes& attributes) override;
  void endElement(std::string_view name) override;
  void characters(std::string_view text) override;

  std::vector<RawNote> notes;
  bool tooLong = false;

 private:
  std::vector<std::string> authors_;
  StringItemText item_;
  std::size_t textBytes_ = 0;  // of the open comment's text
  bool inAuthor_ = false;
  bool inText_ = false;
};

void CommentsHandler::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (inText_) {
    item_.startElement(name);
  } else if (name == "author") {
    authors_.emplace_back();
    inAuthor_ = true;
  } else if (name == "comment") {
    const char* reference = attributes.find("ref");
    const char* authorId = attributes.find("authorId");
    const long author = authorId != nullptr ? std::atol(authorId) : -1;
    notes.push_back({reference != nullptr ? reference : "",
                     author >= 0 && std::size_t(author) < authors_.size()
                         ? authors_[std::size_t(author)]
                         : std::string(),
                     {},
                     {},
                     {}});
  } else if (name == "text" && !notes.empty()) {
    inText_ = true;
    textBytes_ = 0;
    item_.begin();
  }
}

void CommentsHandler::endElement(std::string_view name) {
  if (name == "author") {
    inAuthor_ = false;
  } else if (inText_ && name == "text") {
    inText_ = false;
    notes.back().text = item_.text();
  } else if (inText_) {
    item_.endElement(name);
  }
}

void CommentsHandler::characters(std::string_view text) {
  if (inAuthor_ && authors_.back().size() + text.size() <= kMaxNoteText)
    authors_.back().append(text);
  else if (inText_ && textBytes_ + text.size() <= kMaxNoteText) {
    textBytes_ += text.size();
    item_.characters(text);
  } else if (inText_ || inAuthor_) {
    tooLong = true;
  }
}

// Collects the comments of a threaded comments part with their ids and authors.
class ThreadedCommentsHandler final : public XmlHandler {
 public:
  explicit ThreadedCommentsHandler(const Persons& persons) : persons_(persons) {}

  void startElement(std::string_view name, const XmlAttributes& attributes) override {
    if (name == "threadedComment") {
      const auto text = [&](std::string_view key) {
        const char* value = attributes.find(key);
        return value != nullptr ? std::string(value) : std::string();
      };
      const auto person = persons_.find(text("personId"));
      notes.push_back({text("ref"),
                       person != persons_.end() ? person->second : std::string(),
                       text("parentId"),
                       text("id"),
                       {}});
    } else if (name == "text" && !notes.empty()) {
      inText_ = true;
    }
  }
  void endElement(std::string_view name) override {
    if (name == "text") inText_ = false;
  }
  void characters(std::string_view text) override {
    if (!inText_) return;
    if (notes.back().text.size() + text.size() > kMaxNoteText)
      tooLong = true;
    else
      notes.back().text.append(text);
  }

  std::vector<RawNote> notes;
  bool tooLong = false;

 private:
  const Persons& persons_;
  bool inText_ = false;
};

void refuseLongNote(const ZipArchive& zip, std::string_view part, bool tooLong) {
  if (tooLong)
    throw partError(zip, part, "has a note longer than " + std::to_string(kMaxNoteText) + " bytes");
}

// Each thread as one note: its first comment's author, every comment's text line by line.
// Sets tooLong when a thread's text would pass kMaxNoteText.
std::vector<RawNote> joinedThreads(std::vector<RawNote> comments, bool& tooLong) {
  std::vector<RawNote> threads;
  std::map<std::string, std::size_t> threadOf;  // comment id -> index in threads
  for (RawNote& comment : comments) {
    const auto parent = threadOf.find(comment.parent);
    if (!comment.parent.empty() && parent != threadOf.end()) {
      std::string& text = threads[parent->second].text;
      if (text.size() + comment.text.size() >= kMaxNoteText) tooLong = true;
      text += "\n" + comment.text;
      threadOf.emplace(comment.id, parent->second);
      continue;
    }
    threadOf.emplace(comment.id, threads.size());
    threads.push_back(std::move(comment));
  }
  return threads;
}

// Adds the notes whose references are cells and whose cells have no note yet.
void addNotes(const ZipArchive& zip, std::string_view part, std::vector<RawNote> raw,
              std::map<std::pair<long, long>, CellNote>& notes) {
  for (RawNote& note : raw) {
    long row = 0, column = 0;
    if (!parseCellReference(note.reference, row, column) || row > kMaxRows || column > kMaxColumns)
      throw partError(zip, part, "has a note on the malformed cell \"" + note.reference + "\"");
    notes.try_emplace({row, column},
                      CellNote{row, column, std::move(note.author), std::move(note.text)});
  }
}

}  // namespace

Persons readPersons(const ZipArchive& zip, std::string_view part) {
  PersonsHandler handler;
  parsePart(zip, part, handler);
  return std::move(handler.persons);
}

std::vector<CellNote> readWorksheetNotes(const ZipArchive& zip, std::string_view worksheetPart,
                                         const Persons& persons) {
  if (!hasPart(zip, relationshipsPartName(worksheetPart))) return {};
  const auto relationships = readRelationships(zip, worksheetPart);
  std::map<std::pair<long, long>, CellNote> notes;
  // Threaded comments first, so that the comments mirroring them find their cells taken.
  for (const Relationship& relationship : relationships) {
    if (relationship.external || !relationship.isOfKind("threadedComment")) continue;
    ThreadedCommentsHandler handler(persons);
    parsePart(zip, relationship.target, handler);
    auto threads = joinedThreads(std::move(handler.notes), handler.tooLong);
    refuseLongNote(zip, relationship.target, handler.tooLong);
    addNotes(zip, relationship.target, std::move(threads), notes);
  }
  for (const Relationship& relationship : relationships) {
    if (relationship.external || !relationship.isOfKind("comments")) continue;
    CommentsHandler handler;
    parsePart(zip, relationship.target, handler);
    refuseLongNote(zip, relationship.target, handler.tooLong);
    addNotes(zip, relationship.target, std::move(handler.notes), notes);
  }
  std::vector<CellNote> sorted;
  sorted.reserve(notes.size());
  for (auto& [cell, note] : notes) sorted.push_back(std::move(note));
  return sorted;
}

}  // namespace quill::xlsx
