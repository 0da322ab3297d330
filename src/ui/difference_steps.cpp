#include "ui/difference_steps.h"

#include <QUrl>

namespace quill {

namespace {

// The list's links are the ones that target the grid's window. The chosen one is kept in
// window.quillmereChosen; a link the user clicked since then has the focus and wins.
constexpr const char* kStepScript = R"((function (step) {
  var links = Array.prototype.slice.call(document.querySelectorAll('a[target=Visualized]'));
  if (links.length === 0) return null;
  var current = links.indexOf(document.activeElement);
  if (current < 0 && window.quillmereChosen) current = links.indexOf(window.quillmereChosen);
  var next = current < 0 ? (step > 0 ? 0 : links.length - 1) : current + step;
  if (next < 0 || next >= links.length) return null;
  var row = function (link) { return link.closest('tr') || link; };
  if (window.quillmereChosen) row(window.quillmereChosen).style.outline = '';
  var chosen = links[next];
  window.quillmereChosen = chosen;
  row(chosen).style.outline = '2px solid #2a6fdb';
  chosen.focus({preventScroll: true});
  row(chosen).scrollIntoView({block: 'nearest', inline: 'nearest'});
  return chosen.href;
})(%1))";

}  // namespace

QString differenceStepScript(int step) {
  return QString(kStepScript).arg(step);
}

QString anchorOfStep(const QVariant& answer) {
  if (answer.typeId() != QMetaType::QString) return {};
  const QUrl link(answer.toString());
  return link.hasFragment() ? link.fragment(QUrl::FullyDecoded) : QString();
}

}  // namespace quill
