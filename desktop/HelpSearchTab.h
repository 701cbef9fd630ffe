// The help window's full-text search: a field for words, the pages that hold all of them,
// best first, and a page opened from the list with the words marked in it.
#pragma once

#include "chm/HelpSearch.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include <optional>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace qm {

class HelpFile;

class THelpSearchTab : public QWidget {
  Q_OBJECT
public:
  explicit THelpSearchTab(QWidget* parent = nullptr);

  /// The file to search; none (nullptr) empties the tab. Not owned. Its pages are indexed on
  /// the first search.
  void SetHelpFile(const HelpFile* file);
  /// Puts text into the field and lists the pages that hold all its words, the first selected
  /// and the list focused; without any, a line that says so.
  void Search(const QString& text);
  /// Shows the page selected in the list, as Enter there does.
  void OpenCurrent();

signals:
  /// A page of the list is to be shown (its stored path), with the words searched for.
  void PageChosen(const QByteArray& path, const QStringList& words);

private:
  void OpenItem(QListWidgetItem* item);

  const HelpFile* file_ = nullptr;
  std::optional<HelpSearchIndex> index_;
  QStringList words_; ///< of the last search, as the pages spell them in lower case
  QLineEdit* field_;
  QListWidget* results_;
};

} // namespace qm
