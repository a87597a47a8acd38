// The listings the product and provider windows run themselves: the question, then the printer dialog (a
// cancelled one prints nothing), the preview, or nothing at all for Cancel; also on a cook-only site.
#include "store/ProductsStore.h"
#include "store/ProviderStore.h"
#include "support/ModalDialog.h"
#include "support/PdfText.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"
#include "ui/ProductsWindow.h"
#include "ui/ProvidersWindow.h"

#include <QAction>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace kelvara;
using Answer = base::UserDialogs::Answer;

namespace {

enum class Outcome { Printed, NotPrinted, Previewed, Nothing };

struct Case {
    const char* mode; // the site's databases
    bool providers;   // the provider window, else the product window
    Answer answer;
    bool acceptPrinter;
    Outcome outcome;
};

TEST(ListingCommands, TheAnswerSendsTheListingToThePrinterThePreviewOrNowhere) {
    for (const Case& c : std::vector<Case>{
             {"KVRThermo", false, Answer::Yes, true, Outcome::Printed},
             {"Thermo", false, Answer::Yes, true, Outcome::Printed},
             {"KVRThermo", false, Answer::No, true, Outcome::Previewed},
             {"KVRThermo", false, Answer::Yes, false, Outcome::NotPrinted},
             {"KVR", true, Answer::Yes, true, Outcome::Printed},
             {"KVR", true, Answer::No, true, Outcome::Previewed},
             {"KVR", true, Answer::Cancel, true, Outcome::Nothing},
         }) {
        SCOPED_TRACE(std::string(c.mode) + (c.providers ? " providers " : " products ") +
                     std::to_string(static_cast<int>(c.answer)));
        test::SiteContext s(QString::fromLatin1(c.mode));
        s.ctx.dataDir = QString::fromUtf8(qgetenv("KELVARA_DATA_DIR"));
        test::RecordedDialogs dialogs;
        std::unique_ptr<QDialog> window;
        ui::ReportOutput* output = nullptr;
        const reports::ReportSite site{s.ctx.databases.kvr.get(), s.ctx.siteDir, s.ctx.dataDir};
        QString expectedLine;
        if (c.providers) {
            ASSERT_TRUE(
                store::ProviderStore(*s.ctx.databases.kvr)
                    .insert({.Provider = "Harbour Paging", .AccessNo = "5550100", .Password = "s3cret-word"})
                    .ok());
            auto providers =
                std::make_unique<ui::ProvidersWindow>(*s.ctx.databases.kvr, dialogs, QStringList{});
            providers->setReportSite(site);
            output = &providers->reportOutput();
            window = std::move(providers);
            dialogs.choices.push_back(c.answer);
            expectedLine = QStringLiteral("Harbour Paging");
        } else {
            ASSERT_TRUE(store::ProductsStore(*s.ctx.databases.thermo)
                            .insert({.Description = "Beef Stew", .DesiredTemp = 165})
                            .ok());
            auto products = std::make_unique<ui::ProductsWindow>(*s.ctx.databases.thermo, dialogs);
            products->setReportSite(site);
            output = &products->reportOutput();
            window = std::move(products);
            dialogs.answers.push_back(c.answer == Answer::Yes);
            expectedLine = QStringLiteral("Beef Stew");
        }
        const QString pdf = s.site.file("listing.pdf");
        output->printer().setOutputFormat(QPrinter::PdfFormat);
        output->printer().setOutputFileName(pdf);

        QAction* command =
            window->findChild<QAction*>(c.providers ? "mnuProviderListing" : "mnuProductListing");
        ASSERT_NE(command, nullptr);
        EXPECT_TRUE(command->isEnabled());
        bool printerAsked = false;
        QString previewCaption;
        test::answerModal<QDialog>([&] { command->trigger(); },
                                   [&](QDialog& d) {
                                       if (qobject_cast<QPrintDialog*>(&d)) {
                                           printerAsked = true;
                                           c.acceptPrinter ? d.accept() : d.reject();
                                       } else {
                                           if (qobject_cast<QPrintPreviewDialog*>(&d))
                                               previewCaption = d.windowTitle();
                                           d.reject();
                                       }
                                   });

        EXPECT_EQ(dialogs.texts, QStringList{c.providers ? "Do you wish to send this report to the printer."
                                                         : "Send output to the printer?"});
        EXPECT_EQ(printerAsked, c.outcome == Outcome::Printed || c.outcome == Outcome::NotPrinted);
        EXPECT_EQ(previewCaption, c.outcome == Outcome::Previewed
                                      ? (c.providers ? "Provider Listing" : "Product Listing")
                                      : "");
        EXPECT_EQ(QFile::exists(pdf), c.outcome == Outcome::Printed);
        if (c.outcome == Outcome::Printed) {
            const QStringList lines = test::pdfLines(pdf);
            EXPECT_EQ(lines.filter(expectedLine).size(), 1) << lines.join('\n').toStdString();
            EXPECT_TRUE(lines.filter("s3cret").isEmpty());
        }
    }
}

} // namespace
