// The about box: the program's image, its name and the maker's web site.
#pragma once

#include <QDialog>

namespace qm::ui {

class TLex_Info : public QDialog {
  Q_OBJECT

public:
  explicit TLex_Info(QWidget* owner);

protected:
  /// Centres the box over its owner each time it opens.
  void showEvent(QShowEvent* event) override;
};

} // namespace qm::ui
