// The help window's full-text search: a field for words, the pages that hold all of them,
// best first, and a page opened from the list with the words marked in it.
#pragma once

#include "chm/HelpSearch.h"

#include <QByteArray>
#include <QStringList>
#include <QWidget>

#include <memory>
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

  /// The file to search; none (nullptr) empties the tab. Not owned; it must outlive the tab
  /// or be replaced first. Its pages are indexed on a thread of its own once the tab is shown
  /// or searched.
  void SetHelpFile(const HelpFile* file);
  /// Puts text into the field and lists the pages that hold all its words, the first selected
  /// and the list focused; without any, a line that says so. While the index is being built
  /// the list says that, and the search runs when it is ready.
  void Search(const QString& text);
  /// Shows the page selected in the list, as Enter there does.
  void OpenCurrent();
  /// A search waits for the index.
  bool Waiting() const { return pending_.has_value(); }

signals:
  /// A page of the list is to be shown (its stored path), with the words searched for.
  void PageChosen(const QByteArray& path, const QStringList& words);

protected:
  void showEvent(QShowEvent* event) override;

private:
  void StartIndex();
  void IndexReady();
  void ListHits(const QString& text, bool focus);
  void AddLine(const char* text);
  void OpenItem(QListWidgetItem* item);

  const HelpFile* file_ = nullptr;
  std::unique_ptr<HelpSearchIndexBuild> build_;
  /// The built index, once the window has heard that it is ready.
  const HelpSearchIndex* index_ = nullptr;
  std::optional<QString> pending_; ///< a search made before the index was ready
  QStringList words_;              ///< of the last search, as the pages spell them in lower case
  QLineEdit* field_;
  QListWidget* results_;
};

} // namespace qm
