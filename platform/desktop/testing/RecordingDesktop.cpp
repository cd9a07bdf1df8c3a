#include "RecordingDesktop.h"

#include <QTextDocument>

namespace desktop {

namespace {

Button firstButton(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Button::Yes;
    case Buttons::RetryCancel:
        return Button::Retry;
    case Buttons::AbortRetryIgnore:
        return Button::Abort;
    case Buttons::Ok:
    case Buttons::OkCancel:
        break;
    }
    return Button::Ok;
}

} // namespace

const char* kindName(RecordedCall::Kind kind) {
    using K = RecordedCall::Kind;
    switch (kind) {
    case K::MessageBox:
        return "MessageBox";
    case K::FileDialog:
        return "FileDialog";
    case K::ShellOpen:
        return "ShellOpen";
    case K::OpenInTextEditor:
        return "OpenInTextEditor";
    case K::SetClipboardText:
        return "SetClipboardText";
    case K::ClipboardText:
        return "ClipboardText";
    case K::PrintDocument:
        return "PrintDocument";
    case K::ReadSetting:
        return "ReadSetting";
    case K::WriteSetting:
        return "WriteSetting";
    case K::ShowHelp:
        return "ShowHelp";
    }
    return "?";
}

QString RecordingDesktop::settingKey(const QString& application, const QString& section,
                                     const QString& key) {
    // '\n' cannot occur in any of the three names as the interface uses them.
    return application + u'\n' + section + u'\n' + key;
}

void RecordingDesktop::setSetting(const QString& application, const QString& section,
                                  const QString& key, const QString& value) {
    settings_.insert(settingKey(application, section, key), value);
}

void RecordingDesktop::removeSetting(const QString& application, const QString& section,
                                     const QString& key) {
    settings_.remove(settingKey(application, section, key));
}

RecordedCall& RecordingDesktop::record(RecordedCall::Kind kind) {
    RecordedCall call;
    call.kind = kind;
    calls_.append(call);
    return calls_.last();
}

QList<RecordedCall> RecordingDesktop::callsOf(RecordedCall::Kind kind) const {
    QList<RecordedCall> result;
    for (const RecordedCall& call : calls_) {
        if (call.kind == kind)
            result.append(call);
    }
    return result;
}

QString RecordingDesktop::log() const {
    QString out;
    for (const RecordedCall& call : calls_) {
        out += QString::fromLatin1(kindName(call.kind));
        if (!call.text.isEmpty())
            out += QStringLiteral(" '%1'").arg(call.text);
        if (!call.title.isEmpty())
            out += QStringLiteral(" title '%1'").arg(call.title);
        if (!call.key.isEmpty())
            out += QStringLiteral(" %1/%2/%3").arg(call.application, call.section, call.key);
        out += u'\n';
    }
    return out;
}

Button RecordingDesktop::messageBox(const QString& text, const QString& title, Icon icon,
                                    Buttons buttons) {
    RecordedCall& call = record(RecordedCall::Kind::MessageBox);
    call.text = text;
    call.title = title;
    call.icon = icon;
    call.buttons = buttons;
    if (messageBoxAnswers_.empty())
        return firstButton(buttons);
    const Button answer = messageBoxAnswers_.front();
    messageBoxAnswers_.pop_front();
    return answer;
}

std::optional<QString> RecordingDesktop::fileDialog(const FileDialogRequest& request) {
    RecordedCall& call = record(RecordedCall::Kind::FileDialog);
    call.title = request.title;
    call.fileDialog = request;
    std::optional<QString> result;
    int filter = 0;
    if (!fileDialogResults_.empty()) {
        result.swap(fileDialogResults_.front());
        fileDialogResults_.pop_front();
        filter = fileDialogFilters_.front();
        fileDialogFilters_.pop_front();
    }
    if (result && request.chosenFilterIndex)
        *request.chosenFilterIndex = filter > 0 ? filter : request.filterIndex;
    return result;
}

bool RecordingDesktop::shellOpen(const QString& address) {
    RecordedCall& call = record(RecordedCall::Kind::ShellOpen);
    call.text = address;
    return shellOpenResult_;
}

bool RecordingDesktop::openInTextEditor(const QString& filePath) {
    RecordedCall& call = record(RecordedCall::Kind::OpenInTextEditor);
    call.text = filePath;
    return openInTextEditorResult_;
}

void RecordingDesktop::setClipboardText(const QString& text) {
    RecordedCall& call = record(RecordedCall::Kind::SetClipboardText);
    call.text = text;
    clipboard_ = text;
}

QString RecordingDesktop::clipboardText() {
    RecordedCall& call = record(RecordedCall::Kind::ClipboardText);
    call.text = clipboard_;
    return clipboard_;
}

PrintRange RecordingDesktop::printDocument(const PrintRequest& request, const QTextDocument& all,
                                           const QTextDocument* selection) {
    RecordedCall& call = record(RecordedCall::Kind::PrintDocument);
    call.title = request.title;
    call.print = request;
    call.text = all.toPlainText();
    if (selection)
        call.selectionText = selection->toPlainText();
    PrintRange answer = printAnswer_;
    if (answer == PrintRange::Selection && (!request.hasSelection || !selection))
        answer = PrintRange::All;
    if (answer == PrintRange::Selection)
        call.printedText = call.selectionText;
    else if (answer == PrintRange::All)
        call.printedText = call.text;
    return answer;
}

QString RecordingDesktop::readSetting(const QString& application, const QString& section,
                                      const QString& key, const QString& defaultValue) {
    RecordedCall& call = record(RecordedCall::Kind::ReadSetting);
    call.application = application;
    call.section = section;
    call.key = key;
    call.defaultValue = defaultValue;
    call.text = settings_.value(settingKey(application, section, key), defaultValue);
    return call.text;
}

void RecordingDesktop::writeSetting(const QString& application, const QString& section,
                                    const QString& key, const QString& value) {
    RecordedCall& call = record(RecordedCall::Kind::WriteSetting);
    call.application = application;
    call.section = section;
    call.key = key;
    call.text = value;
    setSetting(application, section, key, value);
}

bool RecordingDesktop::showHelp(const QString& helpFile, const QString& topic) {
    RecordedCall& call = record(RecordedCall::Kind::ShowHelp);
    call.text = helpFile;
    call.topic = topic;
    // As the real service: no file named, nothing to show.
    return showHelpResult_ && !helpFile.isEmpty();
}

ScopedRecordingDesktop::ScopedRecordingDesktop() : desktop_(std::make_shared<RecordingDesktop>()) {
    setServices(desktop_);
}

ScopedRecordingDesktop::~ScopedRecordingDesktop() {
    setServices(nullptr);
}

} // namespace desktop
