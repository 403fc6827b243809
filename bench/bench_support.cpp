#include "bench_support.h"

#include "mainwindow/VantorForm.h"
#include "mainwindow/course_grid.h"
#include "print/windows/MyPForm.h"
#include "print/windows/PrintDlg.h"
#include "print/windows/preview_viewer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include <stdexcept>

namespace bench {
calc::RegionalFormat DutchFormat()
{
    return {",", "."};
}

MainWindow::MainWindow()
    : parts(std::make_unique<ProgramParts>())
    , form(std::make_unique<TVantorForm>(parts->document, parts->printing))
    , dialog(std::make_unique<TPrintDialog1>(form.get()))
{
    PrintDialog1 = dialog.get();
    RegisterPreviewWindow();
    form->show();
    QApplication::processEvents();
    const auto type = [this](const char* name, const char* text) {
        auto* edit = form->findChild<QLineEdit*>(QLatin1String(name));
        if (!edit)
            throw std::logic_error(std::string("no field ") + name);
        edit->setText(QLatin1String(text));
    };
    type("VantorbelEdit", kGauge);
    type("OnderhoogteEdit", kBottom);
    type("BovenhoogteEdit", kTop);
    type("DecimalenEdit", kDecimals);
    dialog->findChild<QRadioButton*>(QStringLiteral("NaarScherm"))->setChecked(true);
    dialog->enableComputerPaper();
    QApplication::processEvents();
}

MainWindow::~MainWindow()
{
    PrintDialog1 = nullptr;
}

void MainWindow::calculate()
{
    form->BerekenenButtonClick();
    QApplication::processEvents();
}

void MainWindow::clearTable()
{
    form->ClearResultGrid();
    QApplication::processEvents();
}

Shared::Shared()
{
    modal.answer = [this](QDialog& dialog) {
        if (auto* preview = qobject_cast<TPreviewPrintForm1*>(&dialog)) {
            if (onPreview)
                onPreview(*preview);
            return int(QDialog::Rejected);
        }
        if (auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))) {
            ok->click();
            return dialog.result();
        }
        return int(QDialog::Rejected);
    };
}

Shared::~Shared() = default;

namespace {

std::unique_ptr<Shared>& sharedSlot()
{
    static std::unique_ptr<Shared> slot;
    return slot;
}

} // namespace

Shared& shared()
{
    auto& slot = sharedSlot();
    if (!slot) {
        slot = std::make_unique<Shared>();
        Shared& s = *slot;
        s.window.calculate();
        s.onPreview = [&s](TPreviewPrintForm1& preview) {
            s.reportPages = std::move(preview.PageList);
            preview.PageList.clear();
        };
        s.window.form->AfdrukkenButtonClick();
        s.onPreview = nullptr;
        if (s.reportPages.size() < 3)
            throw std::logic_error("the row-limit report made fewer than three pages");
    }
    return *slot;
}

void releaseShared()
{
    sharedSlot().reset();
}

const platform::PageImage& TypicalPage()
{
    const auto& pages = shared().reportPages;
    return *pages[pages.size() / 2];
}

} // namespace bench
