#pragma once
// "Liste umrechnen": a table file (a village list from a church book, a
// family tree program, a spreadsheet) converted as the command line's
// --column does it, for users who never open a terminal.  The dialog shows
// the first rows, guesses the coordinates column (the one where most rows
// read as coordinates) and the name column (the first text column), lets
// the user choose the output (table, Google Earth, GPS) and its file, and
// converts in a thread of its own with a progress bar and a cancel button.
// The output is written through QSaveFile: a cancelled or failed run
// leaves no half-written file.  At the end it shows a summary with the
// converted count, the failed rows and a button that opens the folder.

#include "ElURLLabel.h"
#include "TableReader.h"

#include <QDialog>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    UrlOpener openUrl = openWithDesktop; // opens the output's folder
    // Asked before an existing file is replaced; the default asks in a message box.
    std::function<bool(QWidget* parent, const QString& file)> confirmOverwrite;
    // Chooses another output file; the default is the desktop's save dialog.
    std::function<QString(QWidget* parent, const QString& proposed)> chooseOutput;
};

class ListConversionDialog : public QDialog {
    Q_OBJECT

public:
    ListConversionDialog(const QString& inputFile, ListDialogContext context, QWidget* parent = nullptr);
    ~ListConversionDialog() override;

    // The default output file beside the input: NAME-umgerechnet.csv/.kml/.gpx.
    static QString defaultOutputFile(const QString& inputFile, ListOutput output);

    // The guessed or chosen columns (0-based; the name -1 for none).
    int coordinateColumn() const;
    int nameColumn() const;
    void setColumns(int coordinates, int name);
    void setOutput(ListOutput output);
    QString outputFile() const;
    void setOutputFile(const QString& file);

    // Starts the conversion, as the "Umrechnen" button does.
    void startConversion();
    bool isConverting() const;
    // The summary's text once a run has ended.
    QString summary() const;
    QPushButton* openFolderButton() const { return openFolder_; }
    // Escape and "Abbrechen": stop a running conversion, else close.
    void reject() override;

signals:
    void conversionEnded();

private:
    void buildPreview();
    void guessColumns();
    void updateOutputFile();
    void finishConversion();

    QString inputFile_;
    ListDialogContext context_;
    std::vector<TableRow> rows_;
    bool loaded_ = false;
    QString loadError_;

    QStackedWidget* pages_;
    QTableWidget* preview_;
    QComboBox* coordinates_;
    QComboBox* name_;
    QComboBox* output_;
    QLineEdit* outputFile_;
    QPushButton* chooseFile_;
    QProgressBar* progress_;
    QPushButton* convert_;
    QPushButton* cancel_;
    QLabel* summary_;
    QPlainTextEdit* failures_;
    QPushButton* openFolder_;
    QPushButton* close_;

    QThread* worker_ = nullptr;
    QTimer* progressTimer_;
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> cancelled_{false};
    struct Outcome;
    std::shared_ptr<Outcome> outcome_;
    QString written_;
};

} // namespace zelv
