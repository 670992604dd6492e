#include "platform/qt/qt_platform.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTimer>
#include <QUrl>

#ifdef Q_OS_WIN
#include "common/windows_api.hpp"
// shlobj.h needs windows.h before it.
#include <shlobj.h>
#endif

namespace platform {

QString to_display(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    // Windows-1252 differs from Latin-1 only in 0x80..0x9F; Qt may lack the codec, so map it.
    static const char16_t k1252[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(k1252[b - 0x80]) : QChar(b));
    }
    return out;
}

std::string from_display(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

Answer QtPlatform::message(std::string_view text, Buttons buttons, Icon icon) {
    QMessageBox box(owner_);
    box.setWindowTitle(QStringLiteral("Skelvar"));
    box.setText(to_display(text));
    switch (icon) {
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::None:
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    const int result = box.exec();
    switch (result) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

bool QtPlatform::open_url(std::string_view url) {
    return QDesktopServices::openUrl(QUrl(qs(url), QUrl::StrictMode));
}

bool QtPlatform::open_file(std::string_view path, std::string_view /*working_folder*/) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
}

bool QtPlatform::open_in_text_editor(std::string_view path) {
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("notepad.exe"),
                                   {QDir::toNativeSeparators(qs(path))});
#else
    // No fixed editor elsewhere: the desktop's handler for plain text files.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
#endif
}

std::string QtPlatform::browse_folder(std::string_view start_folder, std::string_view title) {
    const QString start = QFileInfo(qs(start_folder)).isDir() ? qs(start_folder) : QString();
    const QString chosen = QFileDialog::getExistingDirectory(owner_, qs(title), start);
    if (chosen.isEmpty()) return {};
    return from_display(QDir::toNativeSeparators(chosen));
}

std::string QtPlatform::save_file_name(std::string_view suggested_path, std::string_view title) {
    const QString chosen = QFileDialog::getSaveFileName(
        owner_, qs(title), qs(suggested_path), QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (chosen.isEmpty()) return {};
    return from_display(QDir::toNativeSeparators(chosen));
}

namespace {

QNetworkRequest get_request(std::string_view url, std::string_view user_agent, int timeout_ms) {
    QNetworkRequest request{QUrl(qs(url))};
    if (!user_agent.empty()) request.setHeader(QNetworkRequest::UserAgentHeader, qs(user_agent));
    request.setTransferTimeout(timeout_ms);
    return request;
}

HttpResult result_of(QNetworkReply* reply) {
    HttpResult result;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result.status = status.isValid() ? status.toInt() : 0;
    // An aborted reply (the time-out) is closed and has nothing to read.
    const QByteArray body = reply->isOpen() ? reply->readAll() : QByteArray();
    result.body.assign(body.constData(), static_cast<std::size_t>(body.size()));
    result.ok = reply->error() == QNetworkReply::NoError;
    if (!result.ok && result.status == 0) {
        result.error = reply->errorString().toStdString();
        // The transfer time-out aborts the reply, which Qt reports as cancelled.
        result.timed_out = reply->error() == QNetworkReply::OperationCanceledError ||
                           reply->error() == QNetworkReply::TimeoutError;
    }
    return result;
}

}  // namespace

HttpResult QtPlatform::http_get(std::string_view url, std::string_view user_agent, int timeout_ms) {
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(get_request(url, user_agent, timeout_ms));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    HttpResult result = result_of(reply);
    reply->deleteLater();
    return result;
}

void QtPlatform::http_get_async(std::string_view url, std::string_view user_agent, int timeout_ms,
                                std::function<void(HttpResult)> done) {
    if (network_ == nullptr) network_ = new QNetworkAccessManager(qApp);
    QNetworkReply* reply = network_->get(get_request(url, user_agent, timeout_ms));
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        reply->deleteLater();
        done(result_of(reply));
    });
}

bool QtPlatform::is_user_admin() {
#ifdef Q_OS_WIN
    return IsUserAnAdmin() != FALSE;
#else
    return true;  // no such notion here: the check passes
#endif
}

void QtPlatform::set_clipboard_text(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(to_display(text));
}

void QtPlatform::busy_on() {
    if (busy_) return;
    busy_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPlatform::busy_off() {
    // Calls do not nest: one busy_off ends the busy state.
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
    busy_ = false;
}

void QtPlatform::process_events() {
    QCoreApplication::processEvents();
}

}  // namespace platform
