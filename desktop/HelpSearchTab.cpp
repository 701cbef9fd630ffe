#include "desktop/HelpSearchTab.h"

#include "base/CodePages.h"
#include "chm/HelpFile.h"
#include "desktop/HelpViewerTexts.h"
#include "desktop/QtText.h"

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
  index_ = nullptr;
  build_.reset(); // stops a build of the file before
  pending_.reset();
  file_ = file;
  words_.clear();
  field_->clear();
  results_->clear();
  if (isVisible()) {
    StartIndex();
  }
}

void THelpSearchTab::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  StartIndex();
}

void THelpSearchTab::StartIndex() {
  if (file_ == nullptr || build_) {
    return;
  }
  // Runs on the building thread; the tab outlives the build (its destructor waits for it), and
  // an event still queued when the tab goes is dropped with it.
  build_ = std::make_unique<HelpSearchIndexBuild>(*file_, [this] {
    QMetaObject::invokeMethod(this, &THelpSearchTab::IndexReady, Qt::QueuedConnection);
  });
}

void THelpSearchTab::IndexReady() {
  // A build replaced meanwhile may have left its event behind: only a ready index answers.
  if (!build_ || build_->Index() == nullptr) {
    return;
  }
  index_ = build_->Index();
  if (pending_) {
    const QString text = *pending_;
    // The list takes the focus from the field only: the user may have turned elsewhere.
    ListHits(text, field_->hasFocus());
  }
}

void THelpSearchTab::Search(const QString& text) {
  if (field_->text() != text) {
    field_->setText(text);
  }
  ListHits(text, true);
}

void THelpSearchTab::ListHits(const QString& text, bool focus) {
  results_->clear();
  words_.clear();
  pending_.reset();
  const std::string query = text.toStdString();
  for (const std::string& word : QueryWords(query)) {
    words_ << QString::fromStdString(AnsiToUtf8(word));
  }
  if (file_ == nullptr || words_.isEmpty()) {
    return;
  }
  if (index_ == nullptr) {
    StartIndex();
    pending_ = text;
    AddLine(kMsgPreparing);
    return;
  }
  const std::vector<HelpSearchHit> hits = index_->Find(query);
  if (hits.empty()) {
    AddLine(kMsgNoHits);
    return;
  }
  for (const HelpSearchHit& hit : hits) {
    auto* item = new QListWidgetItem(FromUtf8(hit.Title), results_);
    item->setData(Qt::UserRole,
                  QByteArray(hit.Path.data(), static_cast<qsizetype>(hit.Path.size())));
    item->setToolTip(FromUtf8(hit.Path));
  }
  results_->setCurrentRow(0);
  if (focus) {
    results_->setFocus();
  }
}

/// A line of the list that names no page.
void THelpSearchTab::AddLine(const char* text) {
  auto* line = new QListWidgetItem(FromUtf8(text), results_);
  line->setFlags(Qt::ItemIsEnabled);
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
