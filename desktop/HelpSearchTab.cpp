#include "desktop/HelpSearchTab.h"

#include "base/CodePages.h"
#include "chm/HelpFile.h"
#include "desktop/HelpViewerTexts.h"
#include "desktop/QtText.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

using namespace helpviewer;

THelpSearchTab::THelpSearchTab(QWidget* parent) : QWidget(parent) {
  field_ = new QLineEdit;
  field_->setObjectName("Edt_Volltext");
  field_->setPlaceholderText(FromUtf8(kFullTextPlaceholder));
  field_->setClearButtonEnabled(true);
  auto* label = new QLabel(FromUtf8(kFullTextLabel));
  label->setBuddy(field_);
  auto* search = new QPushButton(FromUtf8(kSearchButton));
  search->setObjectName("Btn_Suchen");
  results_ = new QListWidget;
  results_->setObjectName("Lst_Treffer");

  auto* fieldRow = new QHBoxLayout;
  fieldRow->addWidget(field_, 1);
  fieldRow->addWidget(search);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(fieldRow);
  layout->addWidget(results_, 1);

  const auto run = [this] { Search(field_->text()); };
  connect(field_, &QLineEdit::returnPressed, this, run);
  connect(search, &QPushButton::clicked, this, run);
  connect(results_, &QListWidget::itemActivated, this, &THelpSearchTab::OpenItem);
  connect(results_, &QListWidget::itemClicked, this, &THelpSearchTab::OpenItem);
}

void THelpSearchTab::SetHelpFile(const HelpFile* file) {
  file_ = file;
  index_.reset();
  words_.clear();
  field_->clear();
  results_->clear();
}

void THelpSearchTab::Search(const QString& text) {
  if (field_->text() != text) {
    field_->setText(text);
  }
  results_->clear();
  words_.clear();
  const std::string query = text.toStdString();
  for (const std::string& word : QueryWords(query)) {
    words_ << QString::fromStdString(AnsiToUtf8(word));
  }
  if (file_ == nullptr || words_.isEmpty()) {
    return;
  }
  if (!index_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    index_ = HelpSearchIndex::Build(*file_);
    QApplication::restoreOverrideCursor();
  }
  const std::vector<HelpSearchHit> hits = index_->Find(query);
  if (hits.empty()) {
    auto* none = new QListWidgetItem(FromUtf8(kMsgNoHits), results_);
    none->setFlags(Qt::ItemIsEnabled);
    return;
  }
  for (const HelpSearchHit& hit : hits) {
    auto* item = new QListWidgetItem(FromUtf8(hit.Title), results_);
    item->setData(Qt::UserRole,
                  QByteArray(hit.Path.data(), static_cast<qsizetype>(hit.Path.size())));
    item->setToolTip(FromUtf8(hit.Path));
  }
  results_->setCurrentRow(0);
  results_->setFocus();
}

void THelpSearchTab::OpenCurrent() {
  OpenItem(results_->currentItem());
}

void THelpSearchTab::OpenItem(QListWidgetItem* item) {
  if (item == nullptr || !item->data(Qt::UserRole).isValid()) {
    return;
  }
  emit PageChosen(item->data(Qt::UserRole).toByteArray(), words_);
}

} // namespace qm
