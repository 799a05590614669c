#pragma once
// The settings store: keeps named properties of a window's controls in an
// INI file between runs.
//
// TFormPlacement holds what every store has: the file and section, the
// version check, the restored and saved flags and the hooks into the owner
// window's show, close and destroy.  TFormStorage adds the list of stored
// properties ("Component.Property") and their value texts.
//
// The file: IniFileName, or else the executable's file name with its
// extension replaced by ".INI" (ZELV_Derarar gives ZELV_Derarar.INI), in the
// injected settings directory (a relative IniFileName is taken relative to
// it).  Section: IniSection, or else the owner's class name without its
// namespace.  Each restore reads the file once and each save writes it once,
// atomically (IniFile); nothing is held open in between.
//
// Wiring, in the owner window:
//   1. create the store as a child of the window, after or before the
//      controls, and set its properties;
//   2. once the controls exist, call loaded(): it binds the entries and
//      starts watching the window's show and close events;
//   3. in the window's closeEvent, call SaveSettings() inside a guard;
//   4. first thing in the window's destructor, call ownerDestroying(), then
//      the window's own destroy handling.
//
// Hooks:
// - show (a non-spontaneous QEvent::Show, which Qt sends before the window
//   is mapped): if Active, RestoreSettings.  A spontaneous show (the window
//   coming back from minimised) is no new show and restores nothing.
// - close query (QEvent::Close, seen before the window's own closeEvent):
//   if the event is still accepted, Active is true and the window has its
//   native window: SaveSettings.
// - destroy (ownerDestroying()): if Active and nothing was saved since the
//   last restore: SaveSettings.
// Errors in the hooks go to the ExceptionHandler; they never escape.

#include "NumberText.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

namespace zelv {

class ExceptionHandler;
class IniFile;

class TFormPlacement : public QObject {
    Q_OBJECT
public:
    // Window attributes a store may keep.  This platform keeps none of them:
    // the window is fixed in size and placed by the window manager, so the
    // set is empty by default and its value has no effect.
    enum PlacementOption { fpState = 0x1, fpPosition = 0x2, fpActiveControl = 0x4 };
    Q_DECLARE_FLAGS(PlacementOptions, PlacementOption)
    Q_FLAG(PlacementOptions)

    Q_PROPERTY(bool Active READ Active WRITE setActive)
    Q_PROPERTY(QString IniFileName READ IniFileName WRITE setIniFileName)
    Q_PROPERTY(QString IniSection READ IniSection WRITE setIniSection)
    Q_PROPERTY(PlacementOptions Options READ Options WRITE setOptions)
    Q_PROPERTY(bool UseRegistry READ UseRegistry WRITE setUseRegistry)
    Q_PROPERTY(int Version READ Version WRITE setVersion)

    // `owner` is the window whose controls are stored; it becomes the
    // store's parent.  `errors` shows what goes wrong in a hook and must
    // outlive the store.  `executablePath` names the file (see above);
    // `settingsDirectory` is where it lives (the program passes
    // QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).
    TFormPlacement(QWidget* owner, ExceptionHandler& errors, Separators separators,
                   QString executablePath, QString settingsDirectory);
    ~TFormPlacement() override;

    bool Active() const { return active_; }
    void setActive(bool active) { active_ = active; }
    QString IniFileName() const { return iniFileName_; }
    void setIniFileName(const QString& name) { iniFileName_ = name; }
    QString IniSection() const { return iniSection_; }
    void setIniSection(const QString& section) { iniSection_ = section; }
    PlacementOptions Options() const { return options_; }
    void setOptions(PlacementOptions options) { options_ = options; }
    // There is no registry on this platform; the file is the only store.
    // The flag is kept for the layout and changes nothing.
    bool UseRegistry() const { return useRegistry_; }
    void setUseRegistry(bool useRegistry) { useRegistry_ = useRegistry; }
    // A stored "FormVersion" below this restores nothing.
    int Version() const { return version_; }
    void setVersion(int version) { version_ = version; }

    // The locale's separators for floating texts; the file always has ".".
    Separators separators() const { return separators_; }
    void setSeparators(Separators separators) { separators_ = separators; }

    QWidget* owner() const { return owner_; }
    // The file's full path, its name as shown in messages, its section.
    QString iniFilePath() const;
    QString iniFileDisplayName() const;
    QString sectionName() const;

    // Called once by the owner when its controls exist: binds what is to be
    // stored and starts the show and close hooks.
    void loaded();

    // The destroy hook; the owner's destructor calls it before anything of
    // the window is torn down.  Never throws.
    void ownerDestroying() noexcept;

    // Reads the file and assigns the stored values.  Never fails on the
    // file's content: what cannot be read keeps its current value, and so
    // does a control whose setter throws zelv::Exception; the other values
    // are assigned all the same.  Anything else a setter throws goes on to
    // the caller.  Clears the saved flag and sets the restored flag.
    void RestoreSettings();

    // Writes "FormVersion" and the stored values in one atomic replacement
    // of the file.  Does nothing while Active and not yet restored.  Throws
    // zelv::Exception "nach <file name> kann nicht geschrieben werden" when
    // the file cannot be written (or an existing file cannot be read, which
    // would lose its other content); the file is then unchanged and the
    // saved flag stays as it was.
    void SaveSettings();

    bool isRestored() const { return restored_; }
    bool isSaved() const { return saved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The subclass's part of a restore and of a save.
    virtual void bindEntries() {}
    virtual void restoreEntries(const IniFile& /*file*/, const QString& /*section*/) {}
    virtual void saveEntries(IniFile& /*file*/, const QString& /*section*/) {}

private:
    [[noreturn]] void throwWriteError() const;

    QWidget* owner_;
    ExceptionHandler& errors_;
    Separators separators_;
    QString executablePath_;
    QString settingsDirectory_;

    bool active_ = true;
    QString iniFileName_;
    QString iniSection_;
    PlacementOptions options_;
    bool useRegistry_ = false;
    int version_ = 0;

    bool loaded_ = false;
    bool restored_ = false;
    bool saved_ = false;
};

class TFormStorage : public TFormPlacement {
    Q_OBJECT
    // Entries "Component.Property", in the order of reading and writing.
    Q_PROPERTY(QStringList StoredProps READ StoredProps WRITE setStoredProps)
public:
    using TFormPlacement::TFormPlacement;
    ~TFormStorage() override;

    // An entry is split at its first "."; both halves are trimmed and an
    // entry with an empty half is dropped.  Properties of type int, bool
    // (written 1 or 0, read as an integer: not 0 is true), float, double
    // and long double are stored; others are skipped.  After loaded() the list holds
    // only entries whose component was found, and an entry leaves the list
    // when its component is destroyed.
    QStringList StoredProps() const;
    void setStoredProps(const QStringList& entries);

protected:
    void bindEntries() override;
    void restoreEntries(const IniFile& file, const QString& section) override;
    void saveEntries(IniFile& file, const QString& section) override;

private:
    struct Entry {
        QString text;
        QString componentName;
        QString propertyName;
        QPointer<QObject> component;
        const QObject* identity; // the bound control, also while it dies
    };

    bool bind(Entry& entry);
    void componentDestroyed(QObject* component);

    std::vector<Entry> entries_;
    bool bound_ = false;
};

// The value texts of the file.  Blanks are the characters up to and
// including the space.

// An integer: decimal, "-" for negatives.
QString formatStoredInteger(int value);
// A 32-bit integer: optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X".  Anything else, the empty text
// and values outside the 32-bit range included, gives 0.
int parseStoredInteger(const QString& text);

// A floating value with `significantDigits` (18 extended, 15 double,
// 7 float) in the general form, always with "." as decimal point.  Where
// that text would read back beyond `largest`, the type's largest value, it
// gets the fewest more digits that read back within it.
QString formatStoredFloat(Extended value, int significantDigits, Extended largest, Separators separators);
// Every "." becomes the locale's decimal separator, then the locale's
// number parser reads it (no group separators); nullopt when it does not.
std::optional<Extended> parseStoredFloat(const QString& text, Separators separators);

// A text that starts and ends with the same quote character gets one more
// pair of double quotes, which the reader strips again.
QString quoteStoredText(const QString& text);

} // namespace zelv

Q_DECLARE_OPERATORS_FOR_FLAGS(zelv::TFormPlacement::PlacementOptions)
