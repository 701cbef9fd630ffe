// The main window's check boxes of the source kinds, made from a table of kinds.
#pragma once

#include "engine/SourceKinds.h"

#include <functional>
#include <span>
#include <vector>

class QCheckBox;
class QGridLayout;
class QWidget;

namespace qm::ui {

class SourceKindBoxes {
public:
  /// One unticked check box per row of kinds, named and captioned by it, in two columns of
  /// layout: the first half of the rows down the left column, the rest down the right.
  SourceKindBoxes(QWidget* parent, QGridLayout* layout, std::span<const SourceKindInfo> kinds);

  /// The widest box of the left column.
  int LeftColumnWidth() const;

  /// The kinds whose boxes are ticked.
  SourceKindSet Ticked() const;
  /// Ticks the boxes of the kinds in kinds and unticks the others.
  void Tick(const SourceKindSet& kinds);
  /// Calls toggled with a box's kind and state whenever the box changes.
  void OnToggled(const std::function<void(SourceKind, bool)>& toggled);

private:
  std::span<const SourceKindInfo> kinds_;
  std::vector<QCheckBox*> boxes_;
  size_t rows_ = 0;
};

} // namespace qm::ui
