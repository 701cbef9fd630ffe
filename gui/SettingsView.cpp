#include "gui/SettingsView.h"

#include "gui/FieldText.h"

namespace qm::ui {

SettingsView::SettingsView(ProjectModel& model)
    : model_(model), observer_(model.Observe([this] { Show(); })) {}

SettingsView::~SettingsView() {
  model_.Unobserve(observer_);
  for (TextField field : checked_) {
    model_.SetFieldCheck(field, nullptr);
  }
}

void SettingsView::Show() const {
  for (const auto& show : shows_) {
    show();
  }
}

void SettingsView::Check(QLineEdit* edit, TextField field, const char* caption) {
  model_.SetFieldCheck(field, [edit, caption] { FieldText(*edit, caption); });
  checked_.push_back(field);
}

} // namespace qm::ui
