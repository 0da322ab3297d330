#include "review/package_notes.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "formats/xlsx/xlsx_package.h"
#include "report/file_writer.h"
#include "review/listing_part.h"
#include "review/written_text.h"
#include "review/xml_rewriter.h"
#include "sheet/address.h"

namespace quill {

namespace {

constexpr std::uint64_t kMaxNotesPart = std::uint64_t(1) << 28;
constexpr const char* kAuthor = "Quillmere";
constexpr const char* kCommentsType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.comments+xml";
constexpr const char* kDrawingType = "application/vnd.openxmlformats-officedocument.vmlDrawing";
// Each shape declares the namespaces it uses, as the drawing it is added to may not.
constexpr std::string_view kVmlNamespaces =
    "xmlns:v=\"urn:schemas-microsoft-com:vml\" "
    "xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\"";

std::string noteShapeType() {
  return "<v:shapetype " + std::string(kVmlNamespaces) +
         " id=\"_x0000_t202\" coordsize=\"21600,21600\" o:spt=\"202\" "
         "path=\"m,l,21600r21600,l21600,xe\"><v:stroke joinstyle=\"miter\"/>"
         "<v:path gradientshapeok=\"t\" o:connecttype=\"rect\"/></v:shapetype>";
}

std::string_view localPart(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string folderOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string noteRun(std::string_view prefix, const std::string& text) {
  const std::string p(prefix);
  return "<" + p + "r><" + p + "t xml:space=\"preserve\">" + escapedCellText(writtenText(text)) +
         "</" + p + "t></" + p + "r>";
}

// The note's text for the cell: File #1's text, under what a note there already says.
std::string newComment(std::string_view prefix, const CellMark& mark, long author) {
  const std::string p(prefix);
  return "<" + p + "comment ref=\"" + cellAddress(mark.row, mark.column) + "\" authorId=\"" +
         std::to_string(author) + "\"><" + p + "text>" + noteRun(prefix, mark.note) + "</" + p +
         "text></" + p + "comment>";
}

// The shape that shows a note of the cell, hidden until the pointer rests on the cell.
std::string noteShape(const CellMark& mark, long id) {
  const long row = mark.row - 1;
  const long column = mark.column - 1;
  const std::string anchor =
      std::to_string(column + 1) + ", 15, " + std::to_string(std::max(0L, row - 1)) + ", 10, " +
      std::to_string(column + 3) + ", 15, " + std::to_string(row + 3) + ", 4";
  return "<v:shape " + std::string(kVmlNamespaces) + " id=\"_x0000_s" + std::to_string(id) +
         "\" type=\"#_x0000_t202\" style=\"position:absolute;margin-left:59.25pt;"
         "margin-top:1.5pt;width:108pt;height:59.25pt;z-index:1;visibility:hidden\" "
         "fillcolor=\"#ffffe1\" o:insetmode=\"auto\"><v:fill color2=\"#ffffe1\"/>"
         "<v:shadow on=\"t\" color=\"black\" obscured=\"t\"/><v:path o:connecttype=\"none\"/>"
         "<v:textbox style=\"mso-direction-alt:auto\"><div style=\"text-align:left\"></div>"
         "</v:textbox><x:ClientData ObjectType=\"Note\"><x:MoveWithCells/><x:SizeWithCells/>"
         "<x:Anchor>" +
         anchor + "</x:Anchor><x:AutoFill>False</x:AutoFill><x:Row>" + std::to_string(row) +
         "</x:Row><x:Column>" + std::to_string(column) + "</x:Column></x:ClientData></v:shape>";
}

// Adds File #1's texts to the notes a comments part holds and appends new notes for the
// other cells, by a new author.
class CommentsRewrite final : public RewriteHandler {
 public:
  explicit CommentsRewrite(const std::vector<const CellMark*>& notes) {
    for (const CellMark* mark : notes) byCell_[cellAddress(mark->row, mark->column)] = mark;
  }

  void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) override {
    const std::string_view local = localPart(name);
    if (prefix_.empty() && local != name)
      prefix_ = std::string(name.substr(0, name.size() - local.size()));
    if (local == "author") ++authors_;
    if (local == "authors" && rewriter.selfClosing())
      rewriter.replaceTag("<" + prefix_ + "authors><" + prefix_ + "author>" + kAuthor + "</" +
                          prefix_ + "author></" + prefix_ + "authors>");
    if (local == "comment") {
      const char* ref = attributes.find("ref");
      const auto found = ref == nullptr ? byCell_.end() : byCell_.find(ref);
      current_ = found == byCell_.end() ? nullptr : found->second;
      if (current_ != nullptr) byCell_.erase(found);
    }
    if (local == "commentList" && rewriter.selfClosing())
      rewriter.replaceTag("<" + std::string(name) + ">" + remaining() + "</" + std::string(name) +
                          ">");
  }

  void end(XmlRewriter& rewriter, std::string_view name) override {
    const std::string_view local = localPart(name);
    if (rewriter.tagEnd() == rewriter.tagStart()) return;  // an empty element's end
    if (local == "authors") {
      author_ = authors_;
      rewriter.insertBefore("<" + prefix_ + "author>" + kAuthor + "</" + prefix_ + "author>");
    } else if (local == "text" && current_ != nullptr) {
      rewriter.insertBefore(noteRun(prefix_, "\n" + current_->note));
      current_ = nullptr;
    } else if (local == "commentList") {
      rewriter.insertBefore(remaining());
    }
  }

  // The cells whose notes are new, in the drawing's order.
  std::vector<const CellMark*> added;

 private:
  std::string remaining() {
    std::string comments;
    for (const auto& [cell, mark] : byCell_) {
      comments += newComment(prefix_, *mark, author_);
      added.push_back(mark);
    }
    byCell_.clear();
    return comments;
  }

  std::map<std::string, const CellMark*> byCell_;
  std::string prefix_;
  long authors_ = 0;
  long author_ = 0;
  const CellMark* current_ = nullptr;
};

std::string newCommentsPart(const std::vector<const CellMark*>& notes) {
  std::string xml = std::string(kXmlDeclaration) +
                    "<comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
                    "main\"><authors><author>" +
                    kAuthor + "</author></authors><commentList>";
  for (const CellMark* mark : notes) xml += newComment("", *mark, 0);
  return xml + "</commentList></comments>";
}

// A new notes drawing up to its first shape.
std::string drawingHead(long block) {
  return "<xml " + std::string(kVmlNamespaces) +
         "><o:shapelayout v:ext=\"edit\">"
         "<o:idmap v:ext=\"edit\" data=\"" +
         std::to_string(block) + "\"/></o:shapelayout>" + noteShapeType();
}

// A part name in the folder that the package does not hold and no edit made yet.
std::string freePartName(const ZipArchive& zip, const PackageEdits& edits,
                         const std::string& folder, const std::string& stem,
                         const std::string& extension) {
  for (int n = 1;; ++n) {
    const std::string name = folder + stem + std::to_string(n) + extension;
    const bool taken = xlsx::hasPart(zip, name) ||
                       std::any_of(edits.parts.begin(), edits.parts.end(),
                                   [&](const auto& part) { return part.first == name; });
    if (!taken) return name;
  }
}

// The relationships part of the worksheet with new relationships added.
class SheetRelationships {
 public:
  SheetRelationships(const ZipArchive& zip, const std::string& sheetPart)
      : zip_(zip), name_(xlsx::relationshipsPartName(sheetPart)) {
    if (xlsx::hasPart(zip, name_)) {
      existing_ = xlsx::readRelationships(zip, sheetPart);
      text_ = zip.readAll(xlsx::storedPartName(zip, name_), kMaxNotesPart);
    }
  }

  const xlsx::Relationship* find(std::string_view kind) const {
    const xlsx::Relationship* found = xlsx::findRelationship(existing_, kind);
    return found != nullptr && xlsx::hasPart(zip_, found->target) ? found : nullptr;
  }

  // Leaves out the relationships of a kind whose parts the package lacks, which readers
  // refuse; a new one takes their place.
  void dropBroken(std::string_view kind) {
    for (const xlsx::Relationship& relationship : existing_) {
      if (relationship.external || !relationship.isOfKind(kind) ||
          xlsx::hasPart(zip_, relationship.target))
        continue;
      const std::size_t id = text_.find("\"" + relationship.id + "\"");
      const std::size_t start = id == std::string::npos ? id : text_.rfind('<', id);
      const std::size_t end = start == std::string::npos ? start : text_.find('>', id);
      if (end == std::string::npos || text_[end - 1] != '/') continue;
      text_.erase(start, end + 1 - start);
      dropped_ = true;
    }
  }

  // Adds a relationship to a part in the worksheet's folder; returns its id.
  std::string add(std::string_view kind, const std::string& fileName) {
    std::string id;
    for (int n = 1; id.empty() || taken(id); ++n) id = "rIdQm" + std::to_string(n);
    added_ += "<Relationship Id=\"" + id + "\" Type=\"" + kRelationshipsNamespace + "/" +
              std::string(kind) + "\" Target=\"" + escapedXml(fileName) + "\"/>";
    ids_.insert(id);
    return id;
  }

  void write(PackageEdits& edits) const {
    if (added_.empty() && !dropped_) return;
    if (text_.empty()) {
      edits.put(name_, std::string(kXmlDeclaration) + "<Relationships xmlns=\"" +
                           kPackageRelationshipsNamespace + "\">" + added_ + "</Relationships>");
      return;
    }
    const std::size_t end = text_.rfind("</");
    if (end == std::string::npos) throw WriteError("the part \"" + name_ + "\" is damaged");
    edits.put(xlsx::storedPartName(zip_, name_), text_.substr(0, end) + added_ + text_.substr(end));
  }

 private:
  bool taken(const std::string& id) const {
    return ids_.contains(id) || std::any_of(existing_.begin(), existing_.end(),
                                            [&](const auto& r) { return r.id == id; });
  }

  const ZipArchive& zip_;
  std::string name_;
  std::vector<xlsx::Relationship> existing_;
  std::string text_;
  std::string added_;
  std::set<std::string> ids_;
  bool dropped_ = false;
};

std::string fileNameOf(const std::string& part) {
  return part.substr(part.rfind('/') + 1);
}

}  // namespace

std::string addNotes(const ZipArchive& zip, const std::string& sheetPart, const SheetMarks& marks,
                     PackageEdits& edits) {
  std::vector<const CellMark*> notes;
  for (const CellMark& mark : marks.cells)
    if (!mark.note.empty()) notes.push_back(&mark);
  if (notes.empty()) return "";
  SheetRelationships relationships(zip, sheetPart);
  const std::string folder = folderOf(sheetPart);

  std::vector<const CellMark*> shown = notes;
  if (const xlsx::Relationship* comments = relationships.find("comments")) {
    CommentsRewrite handler(notes);
    std::string written;
    XmlRewriter rewriter(
        handler, [&](std::string_view piece) { written.append(piece); },
        "the part \"" + comments->target + "\"");
    rewriter.feed(zip.readAll(xlsx::storedPartName(zip, comments->target), kMaxNotesPart));
    rewriter.finish();
    edits.put(xlsx::storedPartName(zip, comments->target), std::move(written));
    shown = std::move(handler.added);
  } else {
    const std::string part = freePartName(zip, edits, folder, "reviewNotes", ".xml");
    relationships.dropBroken("comments");
    edits.put(part, newCommentsPart(notes));
    edits.contentTypes.emplace_back(part, kCommentsType);
    relationships.add("comments", fileNameOf(part));
  }

  // Shape numbers far above those Excel gives, so that they stay apart from the drawing's own.
  static constexpr long kFirstShape = 900 * 1024;
  long id = kFirstShape + long(edits.parts.size()) * 4096;
  // The shapes are appended to the drawing's text as they are made, so that the largest
  // part is held once.
  const auto appendShapes = [&](std::string& text) {
    for (const CellMark* mark : shown) text += noteShape(*mark, ++id);
  };
  std::string drawingId;
  if (const xlsx::Relationship* drawing = relationships.find("vmlDrawing")) {
    const std::string stored = xlsx::storedPartName(zip, drawing->target);
    std::string text = zip.readAll(stored, kMaxNotesPart);
    const std::size_t end = text.rfind("</xml>");
    if (end == std::string::npos)
      throw WriteError("the part \"" + drawing->target + "\" is not a drawing of notes");
    std::string tail = text.substr(end);
    text.erase(end);
    if (text.find("_x0000_t202") == std::string::npos) text += noteShapeType();
    appendShapes(text);
    edits.put(stored, std::move(text += tail));
  } else {
    const std::string part = freePartName(zip, edits, folder, "reviewNotes", ".vml");
    std::string text = drawingHead(900 + long(edits.parts.size()));
    appendShapes(text);
    edits.put(part, std::move(text += "</xml>"));
    edits.contentTypes.emplace_back(part, kDrawingType);
    drawingId = relationships.add("vmlDrawing", fileNameOf(part));
  }
  relationships.write(edits);
  return drawingId;
}

}  // namespace quill
