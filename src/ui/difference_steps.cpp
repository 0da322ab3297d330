#include "ui/difference_steps.h"

#include <QUrl>

namespace quill {

namespace {

// The list's links are the ones that target the grid's window. The chosen one is kept in
// window.quillmereChosen; the first step also starts to follow clicks on links, so that the
// next step goes on from a clicked link. Before any step, a link clicked with the mouse has
// the focus.
constexpr const char* kStepScript = R"((function (step) {
  var links = Array.prototype.slice.call(document.querySelectorAll('a[target=Visualized]'));
  if (links.length === 0) return null;
  var row = function (link) { return link.closest('tr') || link; };
  var choose = function (link) {
    var before = window.quillmereChosen;
    if (before) {
      row(before).style.outline = '';
      row(before).style.backgroundColor = row(before).dataset.quillmereBackground || '';
    }
    window.quillmereChosen = link;
    row(link).dataset.quillmereBackground = row(link).style.backgroundColor;
    row(link).style.outline = '2px solid #2a6fdb';
    row(link).style.backgroundColor = '#dbe7fb';
  };
  if (!window.quillmereFollowsClicks) {
    window.quillmereFollowsClicks = true;
    document.addEventListener('click', function (event) {
      var link = event.target.closest && event.target.closest('a[target=Visualized]');
      if (link) choose(link);
    }, true);
  }
  var current = links.indexOf(window.quillmereChosen || document.activeElement);
  var next = current < 0 ? (step > 0 ? 0 : links.length - 1) : current + step;
  if (next < 0 || next >= links.length) return null;
  var chosen = links[next];
  choose(chosen);
  chosen.focus({preventScroll: true});
  row(chosen).scrollIntoView({block: 'center', inline: 'nearest'});
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
