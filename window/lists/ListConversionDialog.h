#pragma once
// "Liste umrechnen": a table file (a village list from a church book, a
// family tree program, a spreadsheet) converted as the command line's
// --column does it, for users who never open a terminal.
//
// A file that is no table (empty, a picture, UTF-16, a first line over
// 64 kB) is refused before the dialog shows, with a message naming it.
// Otherwise the dialog reads the start of the file in the background and
// shows its first rows, the guessed coordinate columns (one, or two such
// as Breite and Länge) and the name column (engine/batch/TableSetup.h),
// the datum of Gauß-Krüger rows (the main window's choice by default), the
// output (table, Google Earth, GPS) and its file, whose folder is checked
// at once.  The run streams the file in a thread of its own, with a
// progress bar and a cancel button; the converted rows wait in a temporary
// file and are then written through QSaveFile, so that a cancelled or
// failed run leaves no half-written file, and after a failed write the
// result can be saved elsewhere.  The summary counts the rows and lists
// each row with a note, as the table's column "Hinweis" has it.  Nothing of
// this blocks the window's event loop for long, whatever the file's size.

#include "ElURLLabel.h"
#include "GridWorkflows.h"
#include "TableReader.h"

#include <QDialog>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class QThread;
class QTimer;

namespace zelv {

enum class ListOutput { Table, GoogleEarth, Gps };

struct ListDialogContext {
    std::string dataDirectory; // the projection data, as the batch converter takes it
    // Opens the output's folder and says whether that worked; the default is
    // the desktop's file manager.
    UrlOpener openUrl = openWithDesktop;
    // Asked before an existing file is replaced; the default asks in a message box.
    std::function<bool(QWidget* parent, const QString& file)> confirmOverwrite;
    // Chooses another output file; the default is the desktop's save dialog.
    std::function<QString(QWidget* parent, const QString& proposed)> chooseOutput;
    // Tells that a file is no table; the default is a warning box.
    std::function<void(QWidget* parent, const QString& message)> showRefusal;
    // The datum of Gauß-Krüger rows, as the main window's box "nach ETRS89
    // (BeTA2007)" stands; the dialog offers to change it.
    TmDatum gaussKruegerDatum = TmDatum::Etrs89Beta2007;
};

class ListConversionDialog : public QDialog {
    Q_OBJECT

public:
    ListConversionDialog(const QString& inputFile, ListDialogContext context, QWidget* parent = nullptr);
    ~ListConversionDialog() override;

    // The default output file beside the input: NAME-umgerechnet.csv/.kml/.gpx.
    static QString defaultOutputFile(const QString& inputFile, ListOutput output);

    // Why the file is no table ("Die Datei „…“ ist leer."); empty for a table.
    QString refusal() const { return refusal_; }
    // Shows the refusal instead of the dialog for a file that is no table.
    int exec() override;

    // Whether the preview and the guesses are there.
    bool isPreviewReady() const { return previewReady_; }

    // The guessed or chosen columns (0-based; the second and the name -1 for none).
    int coordinateColumn() const;
    int secondCoordinateColumn() const;
    int nameColumn() const;
    void setColumns(int coordinates, int name);
    void setCoordinateColumns(int first, int second);
    void setOutput(ListOutput output);
    QString outputFile() const;
    void setOutputFile(const QString& file);
    TmDatum gaussKruegerDatum() const;
    void setGaussKruegerDatum(TmDatum datum);
    // Why the output's folder can't take the file; empty when it can.
    QString outputProblem() const { return outputProblem_; }

    // Starts the conversion, as the "Umrechnen" button does; before the
    // preview is ready, once it is.
    void startConversion();
    bool isConverting() const;
    // The summary's text once a run has ended.
    QString summary() const;
    // The rows with notes, as the summary lists them.
    QString notedRows() const;
    QPushButton* openFolderButton() const { return openFolder_; }
    QPushButton* saveElsewhereButton() const { return saveElsewhere_; }
    // Escape and "Abbrechen": stop a running conversion, else close.
    void reject() override;

signals:
    void previewReady();
    void conversionEnded();

private:
    struct Preview;
    struct Run;

    void showPreview(const Preview& preview);
    void updateOutputFile();
    void checkOutputFolder();
    void saveTo(const QString& path);
    void finishConversion();
    void openOutputFolder();

    QString inputFile_;
    ListDialogContext context_;
    QString refusal_;
    bool previewReady_ = false;
    bool pendingStart_ = false;
    std::vector<TableRow> sample_;
    QString outputProblem_;

    QStackedWidget* pages_;
    QLabel* previewLabel_;
    QTableWidget* preview_;
    QComboBox* coordinates_;
    QComboBox* second_;
    QComboBox* name_;
    QCheckBox* etrs89_;
    QComboBox* output_;
    QLineEdit* outputFile_;
    QLabel* outputFolder_;
    QPushButton* chooseFile_;
    QProgressBar* progress_;
    QPushButton* convert_;
    QPushButton* cancel_;
    QLabel* summary_;
    QPlainTextEdit* failures_;
    QPushButton* saveElsewhere_;
    QPushButton* openFolder_;
    QPushButton* close_;

    QThread* previewWorker_ = nullptr;
    QThread* worker_ = nullptr;
    QTimer* progressTimer_;
    std::atomic<int> permille_{0};
    std::atomic<bool> cancelled_{false};
    std::shared_ptr<Run> run_;
    QString written_;
};

} // namespace zelv
