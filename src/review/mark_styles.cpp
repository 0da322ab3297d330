#include "review/mark_styles.h"

#include <cstdio>
#include <cstdlib>

#include "report/file_writer.h"
#include "review/xml_rewriter.h"

namespace quill {

namespace {

std::string_view prefixOf(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string_view() : name.substr(0, colon + 1);
}

std::string_view localPart(std::string_view name) {
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::vector<std::pair<std::string, std::string>> attributesOf(TagAttributes attributes) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const char** p = attributes.pairs; *p != nullptr; p += 2) pairs.emplace_back(p[0], p[1]);
  return pairs;
}

long countOf(TagAttributes attributes) {
  const char* count = attributes.find("count");
  return count == nullptr ? -1 : std::atol(count);
}

std::string fillXml(std::string_view prefix, MarkKind kind) {
  char colour[16];
  std::snprintf(colour, sizeof colour, "FF%06X", unsigned(markFill(kind)));
  const std::string p(prefix);
  return "<" + p + "fill><" + p + "patternFill patternType=\"solid\"><" + p + "fgColor rgb=\"" +
         colour + "\"/><" + p + "bgColor indexed=\"64\"/></" + p + "patternFill></" + p + "fill>";
}

}  // namespace

// Reads what MarkStyles needs of a styles part held whole: where its cell formats and first
// font lie, and how many fills and fonts it has.
class StylesReader final : public RewriteHandler {
 public:
  StylesReader(MarkStyles& styles, std::string_view text) : styles_(styles), text_(text) {}

  void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) override {
    const std::string_view local = localPart(name);
    if (++depth_ == 2) section_ = std::string(local);
    if (depth_ != 3) return;
    if (section_ == "fills") ++styles_.fills_;
    if (section_ == "cellXfs" && local == "xf") {
      styles_.formats_.push_back({std::string(name), attributesOf(attributes), {}});
      if (rewriter.selfClosing()) return;
      inFormat_ = true;
      contentStart_ = rewriter.tagEnd();
    }
    if (section_ == "fonts" && styles_.fonts_++ == 0) {
      const std::string open(rewriter.tag());
      const std::string bold = "<" + std::string(prefixOf(name)) + "b/>";
      if (rewriter.selfClosing()) {
        styles_.boldFont_ =
            open.substr(0, open.size() - 2) + ">" + bold + "</" + std::string(name) + ">";
        return;
      }
      styles_.boldFont_ = open + bold;
      inFont_ = true;
      contentStart_ = rewriter.tagEnd();
    }
  }

  void end(XmlRewriter& rewriter, std::string_view) override {
    if (depth_-- != 3) return;
    const auto content = [&] {
      return std::string(text_.substr(contentStart_, rewriter.tagStart() - contentStart_));
    };
    if (inFormat_) styles_.formats_.back().children = content();
    if (inFont_) styles_.boldFont_ += content() + std::string(rewriter.tag());
    inFormat_ = inFont_ = false;
  }

 private:
  MarkStyles& styles_;
  std::string_view text_;
  int depth_ = 0;
  std::string section_;
  bool inFormat_ = false;
  bool inFont_ = false;
  std::uint64_t contentStart_ = 0;
};

// Writes the styles part again with the fills, the bold font and the marked formats added
// at the ends of their lists, and the lists' counts to match.
class StylesWriter final : public RewriteHandler {
 public:
  explicit StylesWriter(const MarkStyles& styles, std::vector<std::string> added)
      : styles_(styles), added_(std::move(added)) {}

  void start(XmlRewriter& rewriter, std::string_view name, TagAttributes attributes) override {
    if (++depth_ != 2) return;
    const std::string_view local = localPart(name);
    const int section = sectionOf(local);
    if (section < 0) return;
    const long count = countOf(attributes) < 0 ? -1 : countOf(attributes) + addedCount(section);
    const std::string counted = std::to_string(count);
    if (!rewriter.selfClosing()) {
      if (count >= 0)
        rewriter.replaceTag(startTag(name, attributes, false, "count", counted.c_str()));
      return;
    }
    rewriter.replaceTag(startTag(name, attributes, false, "count", counted.c_str()) +
                        added_[std::size_t(section)] + "</" + std::string(name) + ">");
  }

  void end(XmlRewriter& rewriter, std::string_view name) override {
    if (depth_-- != 2 || rewriter.tag().empty()) return;
    const int section = sectionOf(localPart(name));
    if (section >= 0) rewriter.insertBefore(added_[std::size_t(section)]);
  }

 private:
  static int sectionOf(std::string_view local) {
    if (local == "fonts") return 0;
    if (local == "fills") return 1;
    if (local == "cellXfs") return 2;
    return -1;
  }
  long addedCount(int section) const {
    if (section == 0) return styles_.bold_ >= 0 ? 1 : 0;
    if (section == 1) return kMarkKindCount;
    return long(styles_.order_.size()) + (styles_.bold_ >= 0 ? 1 : 0);
  }

  const MarkStyles& styles_;
  std::vector<std::string> added_;
  int depth_ = 0;
};

MarkStyles::MarkStyles(std::string text, std::string description)
    : text_(std::move(text)), description_(std::move(description)) {
  StylesReader reader(*this, text_);
  XmlRewriter parse(
      reader, [](std::string_view) {}, description_);
  parse.feed(text_);
  parse.finish();
  if (formats_.empty() || fills_ == 0 || fonts_ == 0)
    throw WriteError(description_ + " has no cell formats, fills or fonts to add to");
}

long MarkStyles::marked(long style, MarkKind kind) {
  if (style < 0 || std::size_t(style) >= formats_.size()) style = 0;
  const auto [at, added] = marked_.try_emplace({style, kind}, 0);
  if (added) {
    at->second = long(formats_.size() + order_.size());
    order_.push_back({style, kind});
  }
  return at->second;
}

long MarkStyles::bold() {
  // Made after every marked copy, its index is known only once the worksheets are written:
  // the listing is written last.
  if (bold_ < 0) bold_ = long(formats_.size() + order_.size());
  return bold_;
}

std::string MarkStyles::clone(const CellFormat& format, long fillId, long fontId) const {
  std::string xf = "<" + format.name;
  for (const auto& [name, value] : format.attributes) {
    const std::string_view local = localPart(name);
    if (local == "fillId" || local == "applyFill") continue;
    if (fontId >= 0 && (local == "fontId" || local == "applyFont")) continue;
    xf += " " + name + "=\"" + escapedXml(value) + "\"";
  }
  xf += " fillId=\"" + std::to_string(fillId) + "\" applyFill=\"1\"";
  if (fontId >= 0) xf += " fontId=\"" + std::to_string(fontId) + "\" applyFont=\"1\"";
  if (format.children.empty()) return xf + "/>";
  return xf + ">" + format.children + "</" + format.name + ">";
}

std::string MarkStyles::rewritten() const {
  const std::string prefix(prefixOf(formats_.front().name));
  std::vector<std::string> added(3);
  if (bold_ >= 0) added[0] = boldFont_;
  for (int kind = 0; kind < kMarkKindCount; ++kind) added[1] += fillXml(prefix, MarkKind(kind));
  for (const auto& [style, kind] : order_)
    added[2] += clone(formats_[std::size_t(style)], fills_ + long(kind), -1);
  if (bold_ >= 0) added[2] += clone(formats_.front(), 0, fonts_);
  std::string written;
  written.reserve(text_.size() + added[2].size() + 4096);
  StylesWriter writer(*this, std::move(added));
  XmlRewriter rewrite(
      writer, [&](std::string_view piece) { written.append(piece); }, description_);
  rewrite.feed(text_);
  rewrite.finish();
  return written;
}

}  // namespace quill
