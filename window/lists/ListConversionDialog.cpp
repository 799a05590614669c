#include "ListConversionDialog.h"

#include "BatchConversion.h"
#include "Exception.h"
#include "MapFileSink.h"
#include "TableConversion.h"
#include "TableText.h"
#include "Windows1252.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <sstream>

namespace zelv {

namespace {

constexpr int previewRows = 8;
constexpr int guessRows = 50;
constexpr int progressInterval = 100; // ms, well within the 200 ms a bar may stand still

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

bool hasLetter(const std::string& text)
{
    return std::ranges::any_of(text, [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
    });
}

// Counts the rows that converted, and passes every row on.
class CountingSink final : public TableSink {
public:
    explicit CountingSink(TableSink& sink) : sink_(sink) {}
    void headerRow(const TableRow& cells, std::size_t width) override { sink_.headerRow(cells, width); }
    void row(const TableRowResult& row, std::size_t width) override
    {
        if (row.result.failure.empty() && std::ranges::any_of(row.cells, [](const auto& c) { return !c.empty(); }))
            ++converted;
        sink_.row(row, width);
    }
    std::size_t converted = 0;

private:
    TableSink& sink_;
};

bool askOverwrite(QWidget* parent, const QString& file)
{
    return QMessageBox::question(parent, QStringLiteral("Datei ersetzen?"),
                                 QStringLiteral("Die Datei „%1“ gibt es schon. Soll sie ersetzt werden?")
                                     .arg(QDir::toNativeSeparators(file)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QString askOutput(QWidget* parent, const QString& proposed)
{
    // The dialog's own question comes later, in startConversion.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Ergebnis speichern unter"), proposed, QString(),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

} // namespace

struct ListConversionDialog::Outcome {
    std::size_t converted = 0;
    QStringList failures;
    QString error;
    bool cancelled = false;
};

ListConversionDialog::ListConversionDialog(const QString& inputFile, ListDialogContext context, QWidget* parent)
    : QDialog(parent), inputFile_(inputFile), context_(std::move(context))
{
    if (!context_.confirmOverwrite)
        context_.confirmOverwrite = askOverwrite;
    if (!context_.chooseOutput)
        context_.chooseOutput = askOutput;
    setObjectName(QStringLiteral("ListConversionDialog"));
    setWindowTitle(QStringLiteral("Liste umrechnen – %1").arg(QFileInfo(inputFile).fileName()));

    QFile file(inputFile);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        const TableText text = decodeTableText(bytes.toStdString());
        rows_ = readTableRows(text.utf8, detectDelimiter(text.utf8));
        loaded_ = true;
    } else {
        loadError_ = QStringLiteral("Die Datei „%1“ lässt sich nicht öffnen.").arg(QDir::toNativeSeparators(inputFile));
    }

    pages_ = new QStackedWidget(this);
    auto* choice = new QWidget(pages_);
    auto* choiceLayout = new QVBoxLayout(choice);
    auto* previewLabel = new QLabel(QStringLiteral("Die ersten Zeilen der Liste:"), choice);
    preview_ = new QTableWidget(choice);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAccessibleName(QStringLiteral("Die ersten Zeilen der Liste"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setTabKeyNavigation(false);
    previewLabel->setBuddy(preview_);
    choiceLayout->addWidget(previewLabel);
    choiceLayout->addWidget(preview_);

    auto* form = new QFormLayout;
    coordinates_ = new QComboBox(choice);
    coordinates_->setObjectName(QStringLiteral("coordinates"));
    coordinates_->setAccessibleName(QStringLiteral("Spalte mit den Koordinaten"));
    name_ = new QComboBox(choice);
    name_->setObjectName(QStringLiteral("name"));
    name_->setAccessibleName(QStringLiteral("Spalte mit dem Namen des Ortes"));
    output_ = new QComboBox(choice);
    output_->setObjectName(QStringLiteral("output"));
    output_->setAccessibleName(QStringLiteral("Ergebnis"));
    output_->addItem(QStringLiteral("Tabelle für LibreOffice/Excel"));
    output_->addItem(QStringLiteral("Google Earth"));
    output_->addItem(QStringLiteral("GPS"));
    outputFile_ = new QLineEdit(choice);
    outputFile_->setObjectName(QStringLiteral("outputFile"));
    outputFile_->setAccessibleName(QStringLiteral("Ergebnisdatei"));
    chooseFile_ = new QPushButton(QStringLiteral("Ä&ndern …"), choice);
    chooseFile_->setAccessibleName(QStringLiteral("Ergebnisdatei ändern"));
    chooseFile_->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(outputFile_);
    fileRow->addWidget(chooseFile_);
    form->addRow(QStringLiteral("&Koordinaten in Spalte:"), coordinates_);
    form->addRow(QStringLiteral("&Name in Spalte:"), name_);
    form->addRow(QStringLiteral("&Ergebnis:"), output_);
    form->addRow(QStringLiteral("&Speichern unter:"), fileRow);
    choiceLayout->addLayout(form);
    qobject_cast<QLabel*>(form->labelForField(fileRow))->setBuddy(outputFile_);

    progress_ = new QProgressBar(choice);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setAccessibleName(QStringLiteral("Fortschritt"));
    progress_->setRange(0, std::max<int>(1, static_cast<int>(rows_.size())));
    progress_->setValue(0);
    choiceLayout->addWidget(progress_);

    auto* buttons = new QHBoxLayout;
    convert_ = new QPushButton(QStringLiteral("&Umrechnen"), choice);
    convert_->setObjectName(QStringLiteral("convert"));
    convert_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"), choice);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(convert_);
    buttons->addWidget(cancel_);
    choiceLayout->addLayout(buttons);
    pages_->addWidget(choice);

    auto* end = new QWidget(pages_);
    auto* endLayout = new QVBoxLayout(end);
    summary_ = new QLabel(end);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    failures_ = new QPlainTextEdit(end);
    failures_->setObjectName(QStringLiteral("failures"));
    failures_->setAccessibleName(QStringLiteral("Zeilen, die nicht umgerechnet wurden"));
    failures_->setReadOnly(true);
    failures_->setTabChangesFocus(true);
    openFolder_ = new QPushButton(QStringLiteral("&Ordner öffnen"), end);
    openFolder_->setObjectName(QStringLiteral("openFolder"));
    openFolder_->setAccessibleName(QStringLiteral("Ordner der Ergebnisdatei öffnen"));
    close_ = new QPushButton(QStringLiteral("&Schließen"), end);
    close_->setObjectName(QStringLiteral("close"));
    // The default button of the summary only: a dialog has one, and until
    // then Enter means "Umrechnen".
    close_->setAutoDefault(false);
    auto* endButtons = new QHBoxLayout;
    endButtons->addStretch();
    endButtons->addWidget(openFolder_);
    endButtons->addWidget(close_);
    endLayout->addWidget(summary_);
    endLayout->addWidget(failures_);
    endLayout->addLayout(endButtons);
    pages_->addWidget(end);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    setTabOrder(preview_, coordinates_);
    setTabOrder(coordinates_, name_);
    setTabOrder(name_, output_);
    setTabOrder(output_, outputFile_);
    setTabOrder(outputFile_, chooseFile_);
    setTabOrder(chooseFile_, convert_);
    setTabOrder(convert_, cancel_);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(progressInterval);
    connect(progressTimer_, &QTimer::timeout, this, [this] { progress_->setValue(static_cast<int>(done_.load())); });
    connect(convert_, &QPushButton::clicked, this, &ListConversionDialog::startConversion);
    connect(cancel_, &QPushButton::clicked, this, &ListConversionDialog::reject);
    connect(close_, &QPushButton::clicked, this, &ListConversionDialog::accept);
    connect(openFolder_, &QPushButton::clicked, this, [this] {
        context_.openUrl(QUrl::fromLocalFile(QFileInfo(written_).absolutePath()));
    });
    connect(output_, &QComboBox::currentIndexChanged, this, &ListConversionDialog::updateOutputFile);
    connect(chooseFile_, &QPushButton::clicked, this, [this] {
        const QString chosen = context_.chooseOutput(this, outputFile_->text());
        if (!chosen.isEmpty())
            outputFile_->setText(chosen);
    });

    buildPreview();
    guessColumns();
    updateOutputFile();
    if (!loaded_) {
        convert_->setEnabled(false);
        summary_->setText(loadError_);
        progress_->setFormat(loadError_);
    }
    coordinates_->setFocus();
}

ListConversionDialog::~ListConversionDialog()
{
    if (worker_) {
        cancelled_ = true;
        worker_->wait();
    }
}

QString ListConversionDialog::defaultOutputFile(const QString& inputFile, ListOutput output)
{
    const QFileInfo input(inputFile);
    const char* suffix = output == ListOutput::Table ? "csv" : output == ListOutput::GoogleEarth ? "kml" : "gpx";
    return input.dir().filePath(input.completeBaseName() + QStringLiteral("-umgerechnet.") + QLatin1String(suffix));
}

void ListConversionDialog::buildPreview()
{
    std::size_t width = 0;
    for (const TableRow& row : rows_)
        width = std::max(width, row.size());
    const int shown = std::min<int>(previewRows, static_cast<int>(rows_.size()));
    preview_->setColumnCount(static_cast<int>(width));
    preview_->setRowCount(shown);
    QStringList headers;
    for (std::size_t column = 0; column < width; ++column)
        headers << QString::number(column + 1);
    preview_->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < shown; ++r)
        for (std::size_t c = 0; c < rows_[r].size(); ++c)
            preview_->setItem(r, static_cast<int>(c), new QTableWidgetItem(fromUtf8(rows_[r][c])));
    preview_->resizeColumnsToContents();

    name_->addItem(QStringLiteral("(keine: Zeilennummer)"), -1);
    for (std::size_t column = 0; column < width; ++column) {
        QString caption = QStringLiteral("Spalte %1").arg(column + 1);
        if (!rows_.empty() && column < rows_.front().size() && !rows_.front()[column].empty())
            caption += QStringLiteral(": ") + fromUtf8(rows_.front()[column]).left(40);
        coordinates_->addItem(caption, static_cast<int>(column));
        name_->addItem(caption, static_cast<int>(column));
    }
}

void ListConversionDialog::guessColumns()
{
    if (coordinates_->count() == 0 || context_.dataDirectory.empty())
        return;
    const int columns = coordinates_->count();
    std::vector<int> read(columns, 0);
    std::vector<int> letters(columns, 0);
    const int sample = std::min<int>(guessRows, static_cast<int>(rows_.size()));
    try {
        BatchConverter converter(context_.dataDirectory, BatchFormat::LocationText);
        for (int r = 0; r < sample; ++r) {
            for (int c = 0; c < columns && c < static_cast<int>(rows_[r].size()); ++c) {
                const std::string& cell = rows_[r][c];
                if (cell.empty())
                    continue;
                if (converter.convertLine(cell).failure.empty())
                    ++read[c];
                else if (hasLetter(cell))
                    ++letters[c];
            }
        }
    } catch (const Exception&) {
        return; // without projection data the first column stays chosen; the run says why
    }
    const int coordinates = static_cast<int>(std::ranges::max_element(read) - read.begin());
    coordinates_->setCurrentIndex(coordinates);
    for (int c = 0; c < columns; ++c) {
        if (c != coordinates && letters[c] * 2 > sample - 1 && read[c] * 2 < sample) {
            name_->setCurrentIndex(c + 1);
            return;
        }
    }
}

void ListConversionDialog::updateOutputFile()
{
    outputFile_->setText(defaultOutputFile(inputFile_, static_cast<ListOutput>(output_->currentIndex())));
}

int ListConversionDialog::coordinateColumn() const { return coordinates_->currentData().toInt(); }
int ListConversionDialog::nameColumn() const { return name_->currentData().toInt(); }

void ListConversionDialog::setColumns(int coordinates, int name)
{
    coordinates_->setCurrentIndex(coordinates);
    name_->setCurrentIndex(name + 1);
}

void ListConversionDialog::setOutput(ListOutput output) { output_->setCurrentIndex(static_cast<int>(output)); }
QString ListConversionDialog::outputFile() const { return outputFile_->text(); }
void ListConversionDialog::setOutputFile(const QString& file) { outputFile_->setText(file); }
bool ListConversionDialog::isConverting() const { return worker_ != nullptr; }
QString ListConversionDialog::summary() const { return summary_->text(); }

void ListConversionDialog::startConversion()
{
    if (worker_ || !loaded_)
        return;
    const QString path = outputFile_->text();
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !context_.confirmOverwrite(this, path))
        return;

    // The columns as the command line's --column and --name would name them by number.
    const std::string nameNumber = nameColumn() < 0 ? std::string() : std::to_string(nameColumn() + 1);
    const auto chosen = chooseColumns(rows_, {std::to_string(coordinateColumn() + 1)}, nameNumber);
    const TableColumns columns = std::get<TableColumns>(chosen); // numbers always name a column
    const ListOutput output = static_cast<ListOutput>(output_->currentIndex());
    const std::string source = QFileInfo(inputFile_).fileName().toStdString();
    auto outcome = std::make_shared<Outcome>();
    outcome_ = outcome;
    done_ = 0;
    cancelled_ = false;

    worker_ = QThread::create([this, outcome, columns, output, source, path] {
        try {
            const BatchFormat format = output == ListOutput::Table ? BatchFormat::GermanCsv : BatchFormat::Csv;
            BatchConverter converter(context_.dataDirectory, format);
            std::ostringstream out;
            std::ostringstream messages;
            std::unique_ptr<TableSink> sink;
            if (output == ListOutput::Table) {
                out << utf8ByteOrderMark;
                sink = std::make_unique<CsvTableSink>(out, format);
            } else {
                sink = std::make_unique<MapFileSink>(out, output == ListOutput::GoogleEarth ? MapFormat::Kml
                                                                                            : MapFormat::Gpx,
                                                     source);
            }
            CountingSink counting(*sink);
            convertTable(converter, rows_, columns, source, counting, messages, [this](std::size_t done) {
                done_ = done;
                return !cancelled_.load();
            });
            if (cancelled_) {
                outcome->cancelled = true;
                return;
            }
            if (auto* map = dynamic_cast<MapFileSink*>(sink.get()))
                map->finish();
            outcome->converted = counting.converted;
            std::istringstream lines(messages.str());
            for (std::string line; std::getline(lines, line);)
                outcome->failures << fromUtf8(line);
            QSaveFile file(path);
            const std::string bytes = out.str();
            if (!file.open(QIODevice::WriteOnly)
                || file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())
                || !file.commit())
                outcome->error = QStringLiteral("Die Datei „%1“ lässt sich nicht schreiben: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString());
        } catch (const Exception& error) {
            outcome->error = fromUtf8(fromWindows1252(error.message()));
        } catch (const std::exception& error) {
            outcome->error = QString::fromLocal8Bit(error.what());
        }
    });
    written_ = path;
    connect(worker_, &QThread::finished, this, &ListConversionDialog::finishConversion);
    convert_->setEnabled(false);
    coordinates_->setEnabled(false);
    name_->setEnabled(false);
    output_->setEnabled(false);
    outputFile_->setEnabled(false);
    chooseFile_->setEnabled(false);
    progressTimer_->start();
    worker_->start();
}

void ListConversionDialog::finishConversion()
{
    progressTimer_->stop();
    progress_->setValue(static_cast<int>(done_.load()));
    worker_->deleteLater();
    worker_ = nullptr;
    const Outcome& outcome = *outcome_;
    if (outcome.cancelled) {
        emit conversionEnded();
        QDialog::reject();
        return;
    }
    QString text;
    if (!outcome.error.isEmpty()) {
        text = outcome.error;
        openFolder_->setEnabled(false);
    } else {
        text = QStringLiteral("%1 Zeilen umgerechnet, %2 nicht.\nGespeichert in „%3“.")
                   .arg(outcome.converted)
                   .arg(outcome.failures.size())
                   .arg(QDir::toNativeSeparators(written_));
    }
    summary_->setText(text);
    summary_->setAccessibleName(text);
    failures_->setPlainText(outcome.failures.join(QLatin1Char('\n')));
    failures_->setVisible(!outcome.failures.isEmpty());
    pages_->setCurrentIndex(1);
    close_->setDefault(true);
    close_->setFocus();
    emit conversionEnded();
}

void ListConversionDialog::reject()
{
    // Escape and "Abbrechen" stop a running conversion first; nothing is written.
    if (worker_) {
        cancelled_ = true;
        return;
    }
    QDialog::reject();
}

} // namespace zelv
