#include "desktop/FormPlacement.h"

#include "desktop/FormStorageTexts.h"
#include "desktop/SettingsValues.h"

#include <QDir>
#include <QEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>

#include <array>
#include <cassert>
#include <memory>

// Window placement on Qt. The stored values keep the layout of a Windows window placement;
// Qt's geometry and window state fill them like this:
//   Flags          2 (restore to maximized) for a window that is minimized and comes back
//                  maximized (Qt::WindowMinimized together with Qt::WindowMaximized), else 0.
//   ShowCmd        2 minimized, 3 maximized or full screen, 1 otherwise (a hidden window too).
//   PixelsPerInch  the logical dots per inch of the window's screen, rounded.
//   MinMaxPos      "-1,-1,-1,-1" ("the system chooses"): Qt leaves the places of minimized and
//                  maximized windows to the window system. Read back only to learn whether a
//                  position was stored at all.
//   NormPos        the normal (not minimized or maximized) geometry, QWidget::normalGeometry(),
//                  as left, top, left + width, top + height. It is the client area in screen
//                  coordinates, because the frame is not known before a window is shown, so
//                  setGeometry() puts the window back exactly.
//   (%dx%d)        the size of the window's screen in device-independent pixels.

namespace qm {

namespace {

// Show commands of a Windows window placement, and the ones read back as the same state.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kShowMinimizeOther = 6; // SW_MINIMIZE
constexpr int kShowMinNoActive = 7;   // SW_SHOWMINNOACTIVE
constexpr int kShowShown = 5;         // SW_SHOW
constexpr int kShowRestore = 9;       // SW_RESTORE
constexpr int kFlagRestoreToMaximized = 2;
constexpr int kNoPosition = -1;
/// Used when a window has no screen at all.
constexpr int kFallbackPixelsPerInch = 96;

constexpr Qt::WindowStates kSpecialStates =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

/// The settings that IniFileName names.
std::unique_ptr<QSettings> OpenSettings(const QString& iniFileName) {
  QStringList parts = QString(iniFileName).replace('\\', '/').split('/', Qt::SkipEmptyParts);
  if (!parts.isEmpty() && parts.front().compare(kRegistrySoftware, Qt::CaseInsensitive) == 0) {
    parts.removeFirst();
  }
  if (parts.isEmpty()) {
    return std::make_unique<QSettings>();
  }
  const QString application = parts.takeLast();
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, parts.join('/'),
                                     application);
}

struct ScreenInfo {
  QSize size;
  int pixelsPerInch;
};

ScreenInfo ScreenOf(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) {
    return {QSize(0, 0), kFallbackPixelsPerInch};
  }
  return {screen->size(), qRound(screen->logicalDotsPerInch())};
}

QString ResolutionSuffix(QSize size) {
  return QString::asprintf(kResolutionSuffix, size.width(), size.height());
}

using Position = std::array<int, 4>;

QString FormatPosition(const Position& p) {
  return QString::asprintf(kPositionFormat, p[0], p[1], p[2], p[3]);
}

/// The first four numbers of text; a number that is missing or does not convert keeps its
/// fallback.
Position ParsePosition(const QString& text, Position fallback) {
  static const QRegularExpression separators(QString::fromLatin1(kPositionSeparators));
  const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
  for (qsizetype i = 0; i < parts.size() && i < qsizetype(fallback.size()); ++i) {
    bool ok = false;
    const int number = parts[i].toInt(&ok);
    if (ok) {
      fallback[size_t(i)] = number;
    }
  }
  return fallback;
}

/// The normal geometry; a window that was never created has none yet and uses its geometry.
QRect NormalRect(const QWidget& window) {
  const QRect normal = window.normalGeometry();
  return normal.isNull() ? window.geometry() : normal;
}

/// A window whose border does not let the user change its size.
bool IsFixedSize(const QWidget& window) {
  return window.minimumSize() == window.maximumSize() ||
         window.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint);
}

int FlagsOf(Qt::WindowStates state) {
  return state.testFlag(Qt::WindowMinimized) && state.testFlag(Qt::WindowMaximized)
             ? kFlagRestoreToMaximized
             : 0;
}

int ShowCmdOf(Qt::WindowStates state) {
  if (state.testFlag(Qt::WindowMinimized)) {
    return kShowMinimized;
  }
  if (state.testFlag(Qt::WindowMaximized) || state.testFlag(Qt::WindowFullScreen)) {
    return kShowMaximized;
  }
  return kShowNormal;
}

} // namespace

QString FormStorageError::Message() const {
  const char* text = Failed == Operation::Restore ? kMsgRestoreFailed : kMsgSaveFailed;
  const char* why = Reason == QSettings::FormatError ? kReasonFormat : kReasonAccess;
  return QString::fromUtf8(text).arg(QDir::toNativeSeparators(File), QString::fromUtf8(why));
}

TFormPlacement::TFormPlacement(QWidget* form) : QObject(form), form_(form) {
  assert(form != nullptr && "the form storage needs its window");
  form_->installEventFilter(this);
}

bool TFormPlacement::eventFilter(QObject* watched, QEvent* event) {
  // Spontaneous show and hide events come from minimizing and restoring the window.
  if (watched == form_ && !event->spontaneous() && active_) {
    if (event->type() == QEvent::Show) {
      Restore();
    } else if (event->type() == QEvent::Hide) {
      Save();
    }
  }
  return QObject::eventFilter(watched, event);
}

void TFormPlacement::FormDestroy() {
  if (form_ == nullptr) {
    return;
  }
  if (active_ && !saved_) {
    destroying_ = true;
    Save();
    destroying_ = false;
  }
  // The window's own destruction hides it once more; that is no close.
  form_->removeEventFilter(this);
  form_ = nullptr;
}

QString TFormPlacement::Section() const {
  if (!iniSection_.isEmpty()) {
    return iniSection_;
  }
  // The class name without its namespace.
  const QString name = QString::fromLatin1(form_->metaObject()->className());
  const qsizetype colons = name.lastIndexOf(QLatin1String("::"));
  return colons < 0 ? name : name.mid(colons + 2);
}

void TFormPlacement::Restore() {
  if (form_ == nullptr) {
    return;
  }
  saved_ = false;
  const auto settings = OpenSettings(iniFileName_);
  if (settings->status() != QSettings::NoError) {
    Fail(FormStorageError::Operation::Restore, *settings);
    return;
  }
  const QString section = Section();
  if (ReadSettingsInt(*settings, SettingsKey(section, kValFormVersion), 0) >= version_) {
    if (options_.testFlag(fpPosition)) {
      RestorePosition(*settings, section);
    }
    if (options_.testFlag(fpState)) {
      RestoreState(*settings, section);
    }
    RestoreProps(*settings, section);
    restored_ = true;
    emit OnRestorePlacement();
    if (options_.testFlag(fpActiveControl)) {
      RestoreActiveControl(*settings, section);
    }
  }
  restored_ = true;
}

void TFormPlacement::Save() {
  if (form_ == nullptr || (active_ && !restored_)) {
    return;
  }
  const auto settings = OpenSettings(iniFileName_);
  const QString section = Section();
  WriteSettingsString(*settings, SettingsKey(section, kValFormVersion), QString::number(version_));
  SavePlacement(*settings, section);
  SaveProps(*settings, section);
  emit OnSavePlacement();
  // Set before the outcome is known: a failed save is reported once, not again on destruction.
  saved_ = true;
  settings->sync();
  if (settings->status() != QSettings::NoError) {
    Fail(FormStorageError::Operation::Save, *settings);
  }
}

void TFormPlacement::SavePlacement(QSettings& settings, const QString& section) const {
  const Qt::WindowStates state = form_->windowState();
  const ScreenInfo screen = ScreenOf(*form_);
  const QString suffix = ResolutionSuffix(screen.size);
  const QRect normal = NormalRect(*form_);
  const QString minMax = FormatPosition({kNoPosition, kNoPosition, kNoPosition, kNoPosition});
  const QString norm = FormatPosition({normal.left(), normal.top(), normal.left() + normal.width(),
                                       normal.top() + normal.height()});
  WriteSettingsString(settings, SettingsKey(section, kValFlags), QString::number(FlagsOf(state)));
  WriteSettingsString(settings, SettingsKey(section, kValShowCmd),
                      QString::number(ShowCmdOf(state)));
  WriteSettingsString(settings, SettingsKey(section, kValPixelsPerInch),
                      QString::number(screen.pixelsPerInch));
  WriteSettingsString(settings, SettingsKey(section, kValMinMaxPos + suffix), minMax);
  WriteSettingsString(settings, SettingsKey(section, kValMinMaxPos), minMax);
  WriteSettingsString(settings, SettingsKey(section, kValNormPos + suffix), norm);
  WriteSettingsString(settings, SettingsKey(section, kValNormPos), norm);
  if (options_.testFlag(fpActiveControl)) {
    const QWidget* focused = form_->focusWidget();
    WriteSettingsString(settings, SettingsKey(section, kValActiveControl),
                        focused != nullptr ? focused->objectName() : QString());
  }
  WriteSettingsString(settings, SettingsKey(section, kValVisible),
                      QString::number(destroying_ ? 1 : 0));
}

void TFormPlacement::RestorePosition(const QSettings& settings, const QString& section) {
  const ScreenInfo screen = ScreenOf(*form_);
  const QString suffix = ResolutionSuffix(screen.size);
  // The value for this screen size first, then the one stored without a size.
  const auto read = [&](const QString& name) {
    std::optional<QString> value =
        ReadSettingsString(settings, SettingsKey(section, name + suffix));
    if (!value || value->isEmpty()) {
      value = ReadSettingsString(settings, SettingsKey(section, name));
    }
    return value && !value->isEmpty() ? value : std::nullopt;
  };
  const std::optional<QString> minMax = read(kValMinMaxPos);
  const std::optional<QString> norm = read(kValNormPos);
  // A position stored at another pixel density would put the window somewhere else.
  if ((!minMax && !norm) || ReadSettingsInt(settings, SettingsKey(section, kValPixelsPerInch),
                                            screen.pixelsPerInch) != screen.pixelsPerInch) {
    return;
  }
  const QRect current = NormalRect(*form_);
  Position r = ParsePosition(norm.value_or(QString()),
                             {current.left(), current.top(), current.left() + current.width(),
                              current.top() + current.height()});
  if (IsFixedSize(*form_)) {
    r[2] = r[0] + current.width();
    r[3] = r[1] + current.height();
  }
  if (r[0] >= r[2] || r[1] >= r[3]) {
    return;
  }
  // The rectangle is the normal one: set it on the normal window, then bring the state back.
  const Qt::WindowStates state = form_->windowState();
  if (state & kSpecialStates) {
    form_->setWindowState(state & ~kSpecialStates);
  }
  form_->setGeometry(QRect(r[0], r[1], r[2] - r[0], r[3] - r[1]));
  if (state & kSpecialStates) {
    form_->setWindowState(state);
  }
}

void TFormPlacement::RestoreState(const QSettings& settings, const QString& section) {
  const Qt::WindowStates current = form_->windowState();
  const int flags = ReadSettingsInt(settings, SettingsKey(section, kValFlags), FlagsOf(current));
  Qt::WindowStates shown = Qt::WindowNoState; // the default: normal
  switch (ReadSettingsInt(settings, SettingsKey(section, kValShowCmd), 0)) {
  case kShowMinimized:
  case kShowMinimizeOther:
  case kShowMinNoActive:
    shown = Qt::WindowMinimized;
    if ((flags & kFlagRestoreToMaximized) != 0) {
      shown |= Qt::WindowMaximized;
    }
    break;
  case kShowMaximized:
    shown = Qt::WindowMaximized;
    break;
  case kShowNormal:
  case kShowShown:
  case kShowRestore:
  default:
    break;
  }
  const Qt::WindowStates target = (current & ~kSpecialStates) | shown;
  if (target != current) {
    form_->setWindowState(target);
  }
}

void TFormPlacement::RestoreActiveControl(const QSettings& settings, const QString& section) {
  const std::optional<QString> name =
      ReadSettingsString(settings, SettingsKey(section, kValActiveControl));
  if (!name || name->isEmpty()) {
    return;
  }
  QWidget* control = form_->findChild<QWidget*>(*name);
  if (control != nullptr && control->isEnabled() && control->focusPolicy() != Qt::NoFocus) {
    control->setFocus();
  }
}

void TFormPlacement::SaveProps(QSettings& /*settings*/, const QString& /*section*/) {}

void TFormPlacement::RestoreProps(QSettings& /*settings*/, const QString& /*section*/) {}

void TFormPlacement::Fail(FormStorageError::Operation operation, const QSettings& settings) {
  emit OnError(FormStorageError{operation, settings.fileName(), settings.status()});
}

} // namespace qm
