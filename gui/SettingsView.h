// The controls of a window bound to the values of a project model: each shows its value
// whenever the model's settings are replaced as a whole, and writes every change of its own
// into the model at once.
#pragma once

#include "desktop/QtText.h"
#include "project/ProjectModel.h"

#include <QCheckBox>
#include <QLineEdit>

#include <functional>
#include <vector>

namespace qm::ui {

class SettingsView {
public:
  /// A view of model, which must outlive it.
  explicit SettingsView(ProjectModel& model);
  ~SettingsView();
  SettingsView(const SettingsView&) = delete;
  SettingsView& operator=(const SettingsView&) = delete;

  /// box shows and edits the flag that value picks out of the settings (value(settings) is a
  /// reference to it, for constant and changeable settings alike).
  template <typename Value> void Bind(QCheckBox* box, Value value) {
    shows_.push_back([this, box, value] { box->setChecked(value(model_.Settings())); });
    QObject::connect(box, &QCheckBox::toggled, box,
                     [this, value](bool ticked) { value(model_.Edit()) = ticked; });
  }

  /// edit shows and edits the Windows-1252 text that value picks out. A text holding a
  /// character that Windows-1252 lacks is not handed over; the model's check of field then
  /// refuses the uses that read it, naming the field by caption (FieldText).
  template <typename Value>
  void Bind(QLineEdit* edit, Value value, TextField field, const char* caption) {
    shows_.push_back([this, edit, value] { edit->setText(FromAnsi(value(model_.Settings()))); });
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this, value](const QString& text) {
      if (!FirstNonAnsi(text)) {
        value(model_.Edit()) = ToAnsi(text);
      }
    });
    Check(edit, field, caption);
  }

  /// Adds a value that no single control shows: show puts it into the controls.
  void Add(std::function<void()> show) { shows_.push_back(std::move(show)); }

  /// Shows the model's values in the controls, in the order they were bound.
  void Show() const;

private:
  void Check(QLineEdit* edit, TextField field, const char* caption);

  ProjectModel& model_;
  std::vector<std::function<void()>> shows_;
  std::vector<TextField> checked_;
  int observer_;
};

} // namespace qm::ui
