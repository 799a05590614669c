#include "ListConversionDialog.h"

#include "BatchConversion.h"
#include "CountText.h"
#include "Exception.h"
#include "TableConversion.h"
#include "TableSetup.h"
#include "Windows1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>

namespace zelv {

namespace {

constexpr int previewRows = 8;
constexpr std::size_t sampleRows = 200;
constexpr int previewCellLength = 200;
constexpr int progressInterval = 100; // ms, well within the 200 ms a bar may stand still
constexpr int progressSteps = 1000;

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

std::filesystem::path pathOf(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

bool askOverwrite(QWidget* parent, const QString& file)
{
    return QMessageBox::question(parent, QStringLiteral("Datei ersetzen?"),
                                 QStringLiteral("Die Datei „%1“ gibt es schon. Soll sie ersetzt werden?").arg(native(file)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QString askOutput(QWidget* parent, const QString& proposed)
{
    // The dialog's own question comes later, in startConversion.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Ergebnis speichern unter"), proposed, QString(),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

void warnRefusal(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, QStringLiteral("Liste umrechnen"), message);
}

TableOutput tableOutputOf(ListOutput output)
{
    switch (output) {
    case ListOutput::GoogleEarth:
        return TableOutput::Kml;
    case ListOutput::Gps:
        return TableOutput::Gpx;
    case ListOutput::Table:
        break;
    }
    return TableOutput::GermanCsv;
}

// A QIODevice as the std::ostream that the engine's sinks write to.
class DeviceBuffer final : public std::streambuf {
public:
    explicit DeviceBuffer(QIODevice& device) : device_(device) { setp(buffer_, buffer_ + sizeof buffer_); }

protected:
    int_type overflow(int_type c) override
    {
        if (sync() != 0)
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override
    {
        const qint64 size = pptr() - pbase();
        if (size > 0 && device_.write(pbase(), size) != size)
            return -1;
        setp(buffer_, buffer_ + sizeof buffer_);
        return 0;
    }

private:
    QIODevice& device_;
    char buffer_[64 * 1024];
};

// Why no file can be written into the folder of `path`; empty when one can.
QString folderProblem(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("Bitte eine Ergebnisdatei wählen.");
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("Den Ordner „%1“ gibt es nicht. Bitte mit „Ändern …“ einen anderen wählen.")
            .arg(native(folder));
    if (file.isDir())
        return QStringLiteral("„%1“ ist ein Ordner. Bitte mit „Ändern …“ eine Datei wählen.").arg(native(path));
    // Permissions say too little (a read-only medium, a network share): a real file tells.
    QTemporaryFile probe(folder + QStringLiteral("/.zelv-probe-XXXXXX"));
    if (!probe.open())
        return QStringLiteral("In den Ordner „%1“ lässt sich nicht schreiben. Bitte mit „Ändern …“ einen anderen "
                              "wählen.")
            .arg(native(folder));
    return {};
}

} // namespace

// What the background reading of the file's start gives.
struct ListConversionDialog::Preview {
    std::vector<TableRow> rows;
    GuessedColumns guess;
    QString error;
};

// A conversion's state, handed between the dialog and its worker thread:
// only one of them uses it at a time.
struct ListConversionDialog::Run {
    std::optional<BatchConverter> converter;
    std::unique_ptr<std::iostream> spill;
    QTemporaryDir spillDirectory;
    std::optional<TableConversion> conversion;
    TableOutput output = TableOutput::GermanCsv;
    TmDatum datum = TmDatum::Etrs89Beta2007;
    std::string source;
    bool byteOrderMark = false;
    std::string orderNote;
    QString error;      // the run failed: no result
    QString writeError; // the result is there, but could not be written
    bool cancelled = false;

    // Writes the result to `path` through QSaveFile; a write error is kept.
    void writeTo(const QString& path)
    {
        writeError.clear();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            writeError = file.errorString();
            return;
        }
        bool written = false;
        {
            DeviceBuffer buffer(file);
            std::ostream out(&buffer);
            std::ostringstream messages; // the summary lists the noted rows itself
            const std::unique_ptr<TableSink> sink = makeTableSink(out, output, source, byteOrderMark, datum);
            written = conversion->write(*sink, messages, source);
            sink->finish();
            out.flush();
            written = written && out.good();
        }
        if (!written) {
            file.cancelWriting();
            writeError = file.errorString().isEmpty() || file.error() == QFileDevice::NoError
                             ? QStringLiteral("das Ergebnis ließ sich nicht lesen")
                             : file.errorString();
            return;
        }
        if (!file.commit())
            writeError = file.errorString();
    }
};

ListConversionDialog::ListConversionDialog(const QString& inputFile, ListDialogContext context, QWidget* parent)
    : QDialog(parent), inputFile_(inputFile), context_(std::move(context))
{
    if (!context_.confirmOverwrite)
        context_.confirmOverwrite = askOverwrite;
    if (!context_.chooseOutput)
        context_.chooseOutput = askOutput;
    if (!context_.showRefusal)
        context_.showRefusal = warnRefusal;
    setObjectName(QStringLiteral("ListConversionDialog"));
    setWindowTitle(QStringLiteral("Liste umrechnen – %1").arg(QFileInfo(inputFile).fileName()));

    // Only the start is read here (at most 256 kB): a file that is no table
    // never opens the dialog.
    {
        std::ifstream in(pathOf(inputFile), std::ios::binary);
        if (!in || QFileInfo(inputFile).isDir()) {
            refusal_ = QStringLiteral("Die Datei „%1“ lässt sich nicht öffnen.").arg(native(inputFile));
        } else {
            const TableRowReader reader(in);
            if (!reader.refusal().empty())
                refusal_ = QStringLiteral("Die Datei „%1“ %2.").arg(native(inputFile), fromUtf8(reader.refusal()));
        }
    }

    pages_ = new QStackedWidget(this);
    auto* choice = new QWidget(pages_);
    auto* choiceLayout = new QVBoxLayout(choice);
    previewLabel_ = new QLabel(QStringLiteral("Die Liste wird gelesen …"), choice);
    preview_ = new QTableWidget(choice);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAccessibleName(QStringLiteral("Die ersten Zeilen der Liste"));
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->setTabKeyNavigation(false);
    previewLabel_->setBuddy(preview_);
    choiceLayout->addWidget(previewLabel_);
    choiceLayout->addWidget(preview_);

    auto* form = new QFormLayout;
    coordinates_ = new QComboBox(choice);
    coordinates_->setObjectName(QStringLiteral("coordinates"));
    coordinates_->setAccessibleName(QStringLiteral("Spalte mit den Koordinaten"));
    second_ = new QComboBox(choice);
    second_->setObjectName(QStringLiteral("secondCoordinates"));
    second_->setAccessibleName(QStringLiteral("Zweite Spalte mit Koordinaten, etwa die Länge zur Breite"));
    second_->setToolTip(QStringLiteral("Stehen Breite und Länge (oder Rechts- und Hochwert) in zwei Spalten, "
                                       "hier die zweite wählen. Die Namen der Kopfzeile entscheiden, welche "
                                       "die Breite ist."));
    auto* columnRow = new QHBoxLayout;
    auto* andLabel = new QLabel(QStringLiteral("und Spal&te:"), choice);
    andLabel->setBuddy(second_);
    // Wide enough for "Spalte 12: Breite (WGS 84)".
    for (QComboBox* column : {coordinates_, second_})
        column->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    columnRow->addWidget(coordinates_, 1);
    columnRow->addWidget(andLabel);
    columnRow->addWidget(second_, 1);
    name_ = new QComboBox(choice);
    name_->setObjectName(QStringLiteral("name"));
    name_->setAccessibleName(QStringLiteral("Spalte mit dem Namen des Ortes"));
    etrs89_ = new QCheckBox(QStringLiteral("nach ETRS89 (&BeTA2007)"), choice);
    etrs89_->setObjectName(QStringLiteral("etrs89"));
    etrs89_->setAccessibleName(QStringLiteral("Gauß-Krüger-Werte nach ETRS89 (BeTA2007) umrechnen"));
    etrs89_->setToolTip(QStringLiteral("Gauß-Krüger-Werte alter Karten werden mit BeTA2007 nach ETRS89 umgerechnet, "
                                       "das bis auf einen Meter WGS 84 entspricht (für Google Earth und GPS). "
                                       "Ohne Haken bleibt die Lage auf Bessel (DHDN), bis gut 260 m daneben."));
    etrs89_->setChecked(context_.gaussKruegerDatum == TmDatum::Etrs89Beta2007);
    output_ = new QComboBox(choice);
    output_->setObjectName(QStringLiteral("output"));
    output_->setAccessibleName(QStringLiteral("Ergebnis"));
    output_->addItem(QStringLiteral("Tabelle für LibreOffice/Excel"));
    output_->addItem(QStringLiteral("Google Earth"));
    output_->addItem(QStringLiteral("GPS"));
    outputFile_ = new QLineEdit(choice);
    outputFile_->setObjectName(QStringLiteral("outputFile"));
    outputFile_->setAccessibleName(QStringLiteral("Ergebnisdatei"));
    chooseFile_ = new QPushButton(QStringLiteral("Än&dern …"), choice);
    chooseFile_->setObjectName(QStringLiteral("chooseFile"));
    chooseFile_->setAccessibleName(QStringLiteral("Ergebnisdatei ändern"));
    chooseFile_->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(outputFile_);
    fileRow->addWidget(chooseFile_);
    outputFolder_ = new QLabel(choice);
    outputFolder_->setObjectName(QStringLiteral("outputFolder"));
    outputFolder_->setWordWrap(true);
    outputFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QStringLiteral("&Koordinaten in Spalte:"), columnRow);
    form->addRow(QStringLiteral("&Name in Spalte:"), name_);
    form->addRow(QStringLiteral("Gauß-Krüger:"), etrs89_);
    form->addRow(QStringLiteral("&Ergebnis:"), output_);
    form->addRow(QStringLiteral("&Speichern unter:"), fileRow);
    form->addRow(QString(), outputFolder_);
    choiceLayout->addLayout(form);
    qobject_cast<QLabel*>(form->labelForField(columnRow))->setBuddy(coordinates_);
    qobject_cast<QLabel*>(form->labelForField(fileRow))->setBuddy(outputFile_);

    progress_ = new QProgressBar(choice);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setAccessibleName(QStringLiteral("Fortschritt"));
    progress_->setRange(0, progressSteps);
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
    failures_->setAccessibleName(QStringLiteral("Zeilen mit Hinweis"));
    failures_->setReadOnly(true);
    failures_->setTabChangesFocus(true);
    saveElsewhere_ = new QPushButton(QStringLiteral("&Anderswo speichern …"), end);
    saveElsewhere_->setObjectName(QStringLiteral("saveElsewhere"));
    saveElsewhere_->setAccessibleName(QStringLiteral("Das Ergebnis in einer anderen Datei speichern"));
    saveElsewhere_->setAutoDefault(false);
    saveElsewhere_->setVisible(false);
    openFolder_ = new QPushButton(QStringLiteral("&Ordner öffnen"), end);
    openFolder_->setObjectName(QStringLiteral("openFolder"));
    openFolder_->setAccessibleName(QStringLiteral("Ordner der Ergebnisdatei öffnen"));
    openFolder_->setAutoDefault(false);
    close_ = new QPushButton(QStringLiteral("&Schließen"), end);
    close_->setObjectName(QStringLiteral("close"));
    // The default button of the summary only: a dialog has one, and until
    // then Enter means "Umrechnen".
    close_->setAutoDefault(false);
    auto* endButtons = new QHBoxLayout;
    endButtons->addStretch();
    endButtons->addWidget(saveElsewhere_);
    endButtons->addWidget(openFolder_);
    endButtons->addWidget(close_);
    endLayout->addWidget(summary_);
    endLayout->addWidget(failures_);
    endLayout->addLayout(endButtons);
    pages_->addWidget(end);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    setMinimumWidth(600);
    setTabOrder(preview_, coordinates_);
    setTabOrder(coordinates_, second_);
    setTabOrder(second_, name_);
    setTabOrder(name_, etrs89_);
    setTabOrder(etrs89_, output_);
    setTabOrder(output_, outputFile_);
    setTabOrder(outputFile_, chooseFile_);
    setTabOrder(chooseFile_, convert_);
    setTabOrder(convert_, cancel_);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(progressInterval);
    connect(progressTimer_, &QTimer::timeout, this, [this] { progress_->setValue(permille_.load()); });
    connect(convert_, &QPushButton::clicked, this, &ListConversionDialog::startConversion);
    connect(cancel_, &QPushButton::clicked, this, &ListConversionDialog::reject);
    connect(close_, &QPushButton::clicked, this, &ListConversionDialog::accept);
    connect(openFolder_, &QPushButton::clicked, this, &ListConversionDialog::openOutputFolder);
    connect(output_, &QComboBox::currentIndexChanged, this, &ListConversionDialog::updateOutputFile);
    connect(outputFile_, &QLineEdit::editingFinished, this, &ListConversionDialog::checkOutputFolder);
    connect(chooseFile_, &QPushButton::clicked, this, [this] {
        const QString chosen = context_.chooseOutput(this, outputFile_->text());
        if (!chosen.isEmpty())
            setOutputFile(chosen);
    });
    connect(saveElsewhere_, &QPushButton::clicked, this, [this] {
        const QString chosen = context_.chooseOutput(this, written_);
        if (!chosen.isEmpty())
            saveTo(chosen);
    });

    updateOutputFile();
    coordinates_->setFocus();
    convert_->setEnabled(false);
    if (!refusal_.isEmpty()) {
        summary_->setText(refusal_);
        progress_->setFormat(refusal_);
        return;
    }

    // The start of the file and the guesses, off the event loop: the
    // reader of a row and the guess are quick, but a slow disk is not.
    auto preview = std::make_shared<Preview>();
    previewWorker_ = QThread::create([preview, file = inputFile_, dataDirectory = context_.dataDirectory] {
        std::ifstream in(pathOf(file), std::ios::binary);
        TableRowReader reader(in);
        for (TableRow row; preview->rows.size() < sampleRows && reader.next(row);)
            preview->rows.push_back(std::move(row));
        if (!reader.error().empty() && preview->rows.empty())
            preview->error = fromUtf8(reader.error());
        try {
            BatchConverter converter(dataDirectory, BatchFormat::LocationText);
            preview->guess = guessColumns(preview->rows, converter);
        } catch (const Exception&) {
            // Without projection data the first column stays chosen; the run says why.
        }
    });
    connect(previewWorker_, &QThread::finished, this, [this, preview] {
        previewWorker_->deleteLater();
        previewWorker_ = nullptr;
        showPreview(*preview);
    });
    previewWorker_->start();
}

ListConversionDialog::~ListConversionDialog()
{
    cancelled_ = true;
    if (previewWorker_)
        previewWorker_->wait();
    if (worker_)
        worker_->wait();
}

int ListConversionDialog::exec()
{
    if (!refusal_.isEmpty()) {
        context_.showRefusal(parentWidget(), refusal_);
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

QString ListConversionDialog::defaultOutputFile(const QString& inputFile, ListOutput output)
{
    const QFileInfo input(inputFile);
    return input.dir().filePath(
        fromUtf8(defaultOutputName(input.fileName().toStdString(), tableOutputOf(output))));
}

void ListConversionDialog::showPreview(const Preview& preview)
{
    sample_ = preview.rows;
    std::size_t width = 0;
    for (const TableRow& row : sample_)
        width = std::max(width, row.size());
    const int shown = std::min<int>(previewRows, static_cast<int>(sample_.size()));
    preview_->setColumnCount(static_cast<int>(width));
    preview_->setRowCount(shown);
    QStringList headers;
    for (std::size_t column = 0; column < width; ++column)
        headers << QString::number(column + 1);
    preview_->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < shown; ++r)
        for (std::size_t c = 0; c < sample_[r].size(); ++c)
            preview_->setItem(r, static_cast<int>(c),
                              new QTableWidgetItem(fromUtf8(sample_[r][c]).left(previewCellLength)));
    preview_->resizeColumnsToContents();
    previewLabel_->setText(QStringLiteral("Die ersten Zeilen der Liste:"));

    second_->addItem(QStringLiteral("(keine)"), -1);
    name_->addItem(QStringLiteral("(keine: Zeilennummer)"), -1);
    for (std::size_t column = 0; column < width; ++column) {
        QString caption = QStringLiteral("Spalte %1").arg(column + 1);
        if (!sample_.empty() && column < sample_.front().size() && !sample_.front()[column].empty())
            caption += QStringLiteral(": ") + fromUtf8(sample_.front()[column]).left(40);
        coordinates_->addItem(caption, static_cast<int>(column));
        second_->addItem(caption, static_cast<int>(column));
        name_->addItem(caption, static_cast<int>(column));
    }
    const GuessedColumns& guess = preview.guess;
    if (!guess.coordinates.empty())
        setCoordinateColumns(static_cast<int>(guess.coordinates[0]),
                             guess.coordinates.size() > 1 ? static_cast<int>(guess.coordinates[1]) : -1);
    if (guess.name)
        name_->setCurrentIndex(static_cast<int>(*guess.name) + 1);
    previewReady_ = true;
    convert_->setEnabled(width > 0 && outputProblem_.isEmpty());
    if (!preview.error.isEmpty()) {
        previewLabel_->setText(preview.error);
        convert_->setEnabled(false);
    }
    emit previewReady();
    if (pendingStart_) {
        pendingStart_ = false;
        startConversion();
    }
}

void ListConversionDialog::updateOutputFile()
{
    setOutputFile(defaultOutputFile(inputFile_, static_cast<ListOutput>(output_->currentIndex())));
}

void ListConversionDialog::checkOutputFolder()
{
    const QString path = outputFile_->text();
    outputProblem_ = folderProblem(path);
    outputFile_->setToolTip(native(QFileInfo(path).absoluteFilePath()));
    if (outputProblem_.isEmpty()) {
        outputFolder_->setText(QStringLiteral("im Ordner „%1“").arg(native(QFileInfo(path).absolutePath())));
        outputFolder_->setStyleSheet(QString());
    } else {
        outputFolder_->setText(outputProblem_);
        outputFolder_->setStyleSheet(QStringLiteral("color: #b00000;"));
    }
    outputFolder_->setToolTip(outputFile_->toolTip());
    outputFolder_->setAccessibleName(outputFolder_->text());
    convert_->setEnabled(previewReady_ && outputProblem_.isEmpty() && coordinates_->count() > 0 && !worker_);
}

int ListConversionDialog::coordinateColumn() const { return coordinates_->currentData().toInt(); }
int ListConversionDialog::secondCoordinateColumn() const
{
    return second_->count() == 0 ? -1 : second_->currentData().toInt();
}
int ListConversionDialog::nameColumn() const { return name_->count() == 0 ? -1 : name_->currentData().toInt(); }

void ListConversionDialog::setColumns(int coordinates, int name)
{
    coordinates_->setCurrentIndex(coordinates);
    name_->setCurrentIndex(name + 1);
}

void ListConversionDialog::setCoordinateColumns(int first, int second)
{
    coordinates_->setCurrentIndex(first);
    second_->setCurrentIndex(second + 1);
}

void ListConversionDialog::setOutput(ListOutput output) { output_->setCurrentIndex(static_cast<int>(output)); }
QString ListConversionDialog::outputFile() const { return outputFile_->text(); }

void ListConversionDialog::setOutputFile(const QString& file)
{
    outputFile_->setText(file);
    outputFile_->setCursorPosition(static_cast<int>(file.size())); // the file's name in sight
    checkOutputFolder();
}

TmDatum ListConversionDialog::gaussKruegerDatum() const
{
    return etrs89_->isChecked() ? TmDatum::Etrs89Beta2007 : TmDatum::Bessel;
}

void ListConversionDialog::setGaussKruegerDatum(TmDatum datum) { etrs89_->setChecked(datum == TmDatum::Etrs89Beta2007); }
bool ListConversionDialog::isConverting() const { return worker_ != nullptr || pendingStart_; }
QString ListConversionDialog::summary() const { return summary_->text(); }
QString ListConversionDialog::notedRows() const { return failures_->toPlainText(); }

void ListConversionDialog::startConversion()
{
    if (worker_ || !refusal_.isEmpty())
        return;
    if (!previewReady_) {
        pendingStart_ = true;
        return;
    }
    if (coordinates_->count() == 0)
        return;
    const QString path = outputFile_->text();
    checkOutputFolder();
    if (!outputProblem_.isEmpty()) {
        chooseFile_->setFocus();
        return;
    }
    if (QFileInfo::exists(path) && !context_.confirmOverwrite(this, path))
        return;

    // The columns as the command line's --column and --name would name them by number.
    std::string numbers = std::to_string(coordinateColumn() + 1);
    if (secondCoordinateColumn() >= 0 && secondCoordinateColumn() != coordinateColumn())
        numbers += ',' + std::to_string(secondCoordinateColumn() + 1);
    const std::string nameNumber = nameColumn() < 0 ? std::string() : std::to_string(nameColumn() + 1);
    const auto chosen = chooseColumns(sample_, splitColumnList(numbers), nameNumber);
    if (const auto* error = std::get_if<std::string>(&chosen)) {
        previewLabel_->setText(fromUtf8(*error));
        return;
    }
    auto run = std::make_shared<Run>();
    run->output = tableOutputOf(static_cast<ListOutput>(output_->currentIndex()));
    run->datum = gaussKruegerDatum();
    run->source = QFileInfo(inputFile_).fileName().toStdString();
    run->orderNote = std::get<TableColumns>(chosen).orderNote;
    run_ = run;
    permille_ = 0;
    cancelled_ = false;
    const std::uint64_t size = std::max<qint64>(1, QFileInfo(inputFile_).size());

    worker_ = QThread::create([this, run, columns = std::get<TableColumns>(chosen), size, path,
                               file = inputFile_] {
        try {
            run->converter.emplace(context_.dataDirectory, converterFormatOf(run->output), run->datum);
            // The converted rows wait on disk, so that memory stays small whatever the file's size.
            if (run->spillDirectory.isValid())
                run->spill = std::make_unique<std::fstream>(
                    pathOf(run->spillDirectory.filePath(QStringLiteral("zeilen"))),
                    std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
            if (!run->spill || !*run->spill)
                run->spill = std::make_unique<std::stringstream>();
            run->conversion.emplace(*run->converter, columns, *run->spill);
            std::ifstream in(pathOf(file), std::ios::binary);
            TableRowReader reader(in);
            run->byteOrderMark = reader.encoding() == TableEncoding::Utf8WithByteOrderMark;
            for (TableRow row; reader.next(row);) {
                run->conversion->add(std::move(row));
                permille_ = static_cast<int>(reader.bytesRead() * progressSteps / std::max(size, reader.bytesRead()));
                if (cancelled_) {
                    run->cancelled = true;
                    return;
                }
            }
            if (!reader.refusal().empty())
                run->error = QStringLiteral("Die Datei %1.").arg(fromUtf8(reader.refusal()));
            else if (!reader.error().empty())
                run->error = fromUtf8(reader.error()) + QLatin1Char('.');
            if (!run->spill->good())
                run->error = QStringLiteral("Der Zwischenspeicher für die umgerechneten Zeilen ist voll.");
            if (!run->error.isEmpty())
                return;
            run->writeTo(path);
        } catch (const Exception& error) {
            run->error = fromUtf8(fromWindows1252(error.message()));
        } catch (const std::exception& error) {
            run->error = QString::fromLocal8Bit(error.what());
        }
    });
    written_ = path;
    connect(worker_, &QThread::finished, this, &ListConversionDialog::finishConversion);
    for (QWidget* control : std::initializer_list<QWidget*>{convert_, coordinates_, second_, name_, etrs89_, output_,
                                                            outputFile_, chooseFile_})
        control->setEnabled(false);
    progressTimer_->start();
    worker_->start();
}

void ListConversionDialog::saveTo(const QString& path)
{
    const QString problem = folderProblem(path);
    if (!problem.isEmpty()) {
        summary_->setText(problem);
        return;
    }
    if (QFileInfo::exists(path) && !context_.confirmOverwrite(this, path))
        return;
    written_ = path;
    saveElsewhere_->setEnabled(false);
    worker_ = QThread::create([run = run_, path] { run->writeTo(path); });
    connect(worker_, &QThread::finished, this, &ListConversionDialog::finishConversion);
    worker_->start();
}

void ListConversionDialog::finishConversion()
{
    progressTimer_->stop();
    progress_->setValue(permille_.load());
    worker_->deleteLater();
    worker_ = nullptr;
    Run& run = *run_;
    if (run.cancelled) {
        emit conversionEnded();
        QDialog::reject();
        return;
    }
    QString text;
    QStringList noted;
    if (!run.error.isEmpty()) {
        text = run.error;
        openFolder_->setEnabled(false);
        saveElsewhere_->setVisible(false);
    } else {
        const std::vector<NotedRow>& rows = run.conversion->noted();
        const std::size_t doubtful = static_cast<std::size_t>(
            std::ranges::count_if(rows, [](const NotedRow& row) { return !row.failed; }));
        text = fromUtf8(countText(run.conversion->converted(), "Zeile", "Zeilen") + " umgerechnet, "
                        + groupedNumber(run.conversion->failed()) + " nicht");
        if (doubtful > 0)
            text += fromUtf8(", " + groupedNumber(doubtful) + " davon mit Hinweis");
        text += QLatin1Char('.');
        if (!run.orderNote.empty())
            text += QLatin1Char('\n') + fromUtf8(run.orderNote) + QLatin1Char('.');
        if (run.writeError.isEmpty()) {
            text += QStringLiteral("\nGespeichert in „%1“.").arg(native(written_));
            openFolder_->setEnabled(true);
            saveElsewhere_->setVisible(false);
        } else {
            text += QStringLiteral("\nDie Datei „%1“ lässt sich nicht schreiben: %2\nDas Ergebnis ist noch da: "
                                   "„Anderswo speichern …“ legt es in eine andere Datei.")
                        .arg(native(written_), run.writeError);
            openFolder_->setEnabled(false);
            saveElsewhere_->setVisible(true);
            saveElsewhere_->setEnabled(true);
        }
        for (const NotedRow& row : rows)
            noted << QStringLiteral("Zeile %1: „%2“: %3")
                         .arg(fromUtf8(groupedNumber(static_cast<std::uint64_t>(row.number))), fromUtf8(row.text),
                              fromUtf8(row.note));
    }
    summary_->setText(text);
    summary_->setAccessibleName(text);
    failures_->setPlainText(noted.join(QLatin1Char('\n')));
    failures_->setVisible(!noted.isEmpty());
    pages_->setCurrentIndex(1);
    close_->setDefault(true);
    (saveElsewhere_->isVisible() ? static_cast<QWidget*>(saveElsewhere_) : close_)->setFocus();
    emit conversionEnded();
}

void ListConversionDialog::openOutputFolder()
{
    const QString folder = QFileInfo(written_).absolutePath();
    const QUrl url = QUrl::fromLocalFile(folder);
    if (!context_.openUrl(url))
        summary_->setText(summary_->text()
                          + QStringLiteral("\nDer Ordner „%1“ ließ sich nicht öffnen: Es ist kein Dateimanager "
                                           "eingerichtet. Die Datei liegt dort trotzdem.")
                                .arg(native(folder)));
}

void ListConversionDialog::reject()
{
    // Escape and "Abbrechen" stop a running conversion first; nothing is written.
    if (pendingStart_) {
        pendingStart_ = false;
        emit conversionEnded();
        QDialog::reject();
        return;
    }
    if (worker_) {
        cancelled_ = true;
        return;
    }
    QDialog::reject();
}

} // namespace zelv
