#include "gui/SourceKindBoxes.h"

#include "desktop/QtText.h"
#include "gui/UiTexts.h"

#include <QCheckBox>
#include <QGridLayout>

#include <algorithm>

namespace qm::ui {

SourceKindBoxes::SourceKindBoxes(QWidget* parent, QGridLayout* layout,
                                 std::span<const SourceKindInfo> kinds)
    : kinds_(kinds), rows_((kinds.size() + 1) / 2) {
  for (size_t i = 0; i < kinds.size(); ++i) {
    auto* box = new QCheckBox(UiText(kinds[i].caption), parent);
    box->setObjectName(UiText(kinds[i].boxName));
    box->setToolTip(UiText(kHintKinds));
    layout->addWidget(box, static_cast<int>(i % rows_), static_cast<int>(i / rows_));
    boxes_.push_back(box);
  }
}

int SourceKindBoxes::LeftColumnWidth() const {
  int width = 0;
  for (size_t i = 0; i < rows_; ++i) {
    width = std::max(width, boxes_[i]->sizeHint().width());
  }
  return width;
}

SourceKindSet SourceKindBoxes::Ticked() const {
  SourceKindSet ticked;
  for (size_t i = 0; i < kinds_.size(); ++i) {
    ticked.Set(kinds_[i].kind, boxes_[i]->isChecked());
  }
  return ticked;
}

void SourceKindBoxes::Tick(const SourceKindSet& kinds) {
  for (size_t i = 0; i < kinds_.size(); ++i) {
    boxes_[i]->setChecked(kinds[kinds_[i].kind]);
  }
}

void SourceKindBoxes::OnToggled(const std::function<void(SourceKind, bool)>& toggled) {
  for (size_t i = 0; i < kinds_.size(); ++i) {
    QObject::connect(boxes_[i], &QCheckBox::toggled, boxes_[i],
                     [toggled, kind = kinds_[i].kind](bool ticked) { toggled(kind, ticked); });
  }
}

} // namespace qm::ui
