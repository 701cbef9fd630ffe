#include "desktop/FormStorage.h"

#include "desktop/FormStorageTexts.h"
#include "desktop/SettingsValues.h"

#include <QHash>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>

namespace qm {

namespace {

enum class Kind { String, Boolean, StringList, Integer, Other };

Kind KindOf(const QVariant& value) {
  switch (value.typeId()) {
  case QMetaType::QString:
    return Kind::String;
  case QMetaType::Bool:
    return Kind::Boolean;
  case QMetaType::QStringList:
    return Kind::StringList;
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::Long:
  case QMetaType::ULong:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Short:
  case QMetaType::UShort:
    return Kind::Integer;
  default:
    return Kind::Other;
  }
}

/// text without leading and trailing blanks and control characters (everything up to U+0020).
QString TrimControls(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].unicode() <= u' ') {
    ++begin;
  }
  while (end > begin && text[end - 1].unicode() <= u' ') {
    --end;
  }
  return text.mid(begin, end - begin);
}

/// The property of object called name in any letter case, declared or dynamic; a name that
/// matches exactly wins. Empty when there is none.
QByteArray FindProperty(const QObject& object, const QString& name) {
  QList<QByteArray> names;
  const QMetaObject* meta = object.metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    if (meta->property(i).isReadable()) {
      names.append(meta->property(i).name());
    }
  }
  names.append(object.dynamicPropertyNames());
  QByteArray found;
  for (const QByteArray& candidate : names) {
    const QString text = QString::fromLatin1(candidate);
    if (text == name) {
      return candidate;
    }
    if (found.isEmpty() && text.compare(name, Qt::CaseInsensitive) == 0) {
      found = candidate;
    }
  }
  return found;
}

/// Qt's property names start in lower case; the stored names have always been written with a
/// capital (Text, Checked).
QString CapitalFirst(QString name) {
  if (!name.isEmpty()) {
    name[0] = name[0].toUpper();
  }
  return name;
}

/// The lines of a string-list group; nothing when the list is to stay as it is.
std::optional<QStringList> ReadLines(QSettings& settings, const QString& group) {
  settings.beginGroup(group);
  // Every line is a value of the group besides Count.
  const int held = int(settings.childKeys().size()) - 1;
  const int count = std::min(ReadSettingsInt(settings, QString::fromLatin1(kValCount), 0), held);
  std::optional<QStringList> lines;
  if (count > 0) {
    lines.emplace();
    for (int i = 0; i < count && lines; ++i) {
      const QString key = QString::asprintf(kValItem, i);
      if (!settings.contains(key)) {
        lines->append(QString());
      } else if (std::optional<QString> line = ReadSettingsString(settings, key)) {
        lines->append(*line);
      } else {
        lines.reset(); // a line of another kind: the list stays as it is
      }
    }
  }
  settings.endGroup();
  return lines;
}

} // namespace

/// One resolved item of StoredProps.
struct TFormStorage::Property {
  QObject* object;
  QByteArray name; ///< empty: the lines of a QPlainTextEdit
  QString valueName;

  QVariant Get() const {
    if (!name.isEmpty()) {
      return object->property(name.constData());
    }
    const QString text = static_cast<const QPlainTextEdit*>(object)->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
  }

  void Set(const QVariant& value) const {
    if (!name.isEmpty()) {
      object->setProperty(name.constData(), value);
    } else {
      static_cast<QPlainTextEdit*>(object)->setPlainText(value.toStringList().join(u'\n'));
    }
  }
};

TFormStorage::TFormStorage(QWidget* form) : TFormPlacement(form) {}

std::vector<TFormStorage::Property> TFormStorage::Resolve() {
  // The window's descendants by name in any letter case; the first one in Qt's order wins.
  QHash<QString, QObject*> byName;
  const QList<QObject*> descendants = Form()->findChildren<QObject*>();
  for (QObject* descendant : descendants) {
    const QString key = descendant->objectName().toCaseFolded();
    if (!key.isEmpty() && !byName.contains(key)) {
      byName.insert(key, descendant);
    }
  }

  std::vector<Property> resolved;
  QStringList kept;
  for (const QString& item : std::as_const(storedProps_)) {
    const qsizetype sep = item.indexOf(kPropSep);
    if (sep < 0) {
      continue;
    }
    const QString component = TrimControls(item.left(sep));
    const QString property = TrimControls(item.mid(sep + 1));
    QObject* object = component.isEmpty() ? nullptr : byName.value(component.toCaseFolded());
    if (object == nullptr || property.isEmpty()) {
      continue;
    }
    const QByteArray name = FindProperty(*object, property);
    QString propertyName = CapitalFirst(QString::fromLatin1(name));
    if (name.isEmpty()) {
      if (qobject_cast<QPlainTextEdit*>(object) == nullptr ||
          property.compare(QLatin1String(kPropLines), Qt::CaseInsensitive) != 0) {
        continue;
      }
      propertyName = QString::fromLatin1(kPropLines);
    }
    resolved.push_back({object, name, object->objectName() + kValueNameSep + propertyName});
    kept.append(item);
  }
  storedProps_ = kept;
  return resolved;
}

void TFormStorage::SaveProps(QSettings& settings, const QString& section) {
  for (const Property& property : Resolve()) {
    const QVariant value = property.Get();
    const QString key = SettingsKey(section, property.valueName);
    switch (KindOf(value)) {
    case Kind::String:
      WriteSettingsString(settings, key, TrimControls(value.toString()));
      break;
    case Kind::Boolean:
      WriteSettingsString(settings, key, QString::fromLatin1(value.toBool() ? kTrue : kFalse));
      break;
    case Kind::Integer:
      WriteSettingsString(settings, key, value.toString());
      break;
    case Kind::StringList: {
      const QString group = section + kListGroupSep + property.valueName;
      settings.remove(group);
      const QStringList lines = value.toStringList();
      if (!lines.isEmpty()) {
        WriteSettingsString(settings, SettingsKey(group, kValCount), QString::number(lines.size()));
        for (qsizetype i = 0; i < lines.size(); ++i) {
          WriteSettingsString(settings, SettingsKey(group, QString::asprintf(kValItem, int(i))),
                              lines[i]);
        }
      }
      break;
    }
    case Kind::Other:
      break;
    }
  }
}

void TFormStorage::RestoreProps(QSettings& settings, const QString& section) {
  for (const Property& property : Resolve()) {
    const QVariant current = property.Get();
    const Kind kind = KindOf(current);
    if (kind == Kind::StringList) {
      const QString group = section + kListGroupSep + property.valueName;
      if (const std::optional<QStringList> lines = ReadLines(settings, group)) {
        property.Set(*lines);
      }
      continue;
    }
    const std::optional<QString> text =
        ReadSettingsString(settings, SettingsKey(section, property.valueName));
    if (!text) {
      continue;
    }
    switch (kind) {
    case Kind::String:
      property.Set(TrimControls(*text));
      break;
    case Kind::Boolean:
      if (text->compare(QLatin1String(kTrue), Qt::CaseInsensitive) == 0) {
        property.Set(true);
      } else if (text->compare(QLatin1String(kFalse), Qt::CaseInsensitive) == 0) {
        property.Set(false);
      }
      break;
    case Kind::Integer: {
      QVariant number(TrimControls(*text));
      if (!number.convert(current.metaType())) {
        number = QVariant(current.metaType()); // 0
      }
      property.Set(number);
      break;
    }
    case Kind::StringList:
    case Kind::Other:
      break;
    }
  }
}

} // namespace qm
