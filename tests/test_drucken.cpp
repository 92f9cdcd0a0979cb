// Pages on paper: drawn whole to fit any device, written as PDF whole or not at all, printed
// from the menu of the page's background (Ctrl+P: the session test, in the real dialog).
#include "drucken.h"
#include "seitentest.h"

#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestDrucken : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings(QStringLiteral("norva"), QStringLiteral("regler")).clear();
    }
    // Qt complains of nothing the program does: a file dialog once scaled null pixmaps.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("QPixmap|QPainter"))); }

    // The page fills the device's width or height, its shape kept, centred across, at the top.
    void zeichnen() {
        Seite s(2);
        for (const QSize ziel : {QSize(2400, 900), QSize(900, 2400), QSize(300, 300)}) {
            QImage bild(ziel, QImage::Format_RGB32);
            bild.fill(Qt::red);
            QPainter p(&bild);
            shell::seite_zeichnen(*s.seite, p);
            p.end();
            QRect r(ziel.width(), ziel.height(), 0, 0); // what is not red
            for (int y = 0; y < ziel.height(); ++y)
                for (int x = 0; x < ziel.width(); ++x)
                    if (bild.pixel(x, y) != qRgb(255, 0, 0)) r |= QRect(x, y, 1, 1);
            QVERIFY(r.width() == ziel.width() || r.height() == ziel.height());
            QVERIFY(qAbs(double(r.width()) / r.height() -
                         double(s.seite->width()) / s.seite->height()) < 0.01);
            QVERIFY(r.top() == 0 && qAbs(r.left() - (ziel.width() - 1 - r.right())) <= 1);
        }
    }

    // "Als PDF speichern …" proposes seite2.pdf and writes where the user chose, adding the ending,
    // A4 across; the next time it opens in that folder. Upright for a tall page, replacing the file
    // before. A file that cannot be written: false with a reason, and nothing there.
    void pdf() {
        QTemporaryDir ordner;
        const QString datei = ordner.filePath(QStringLiteral("s.pdf"));
        Seite s(2);
        QString vorschlag, danach;
        QVERIFY(im_dialog<QFileDialog>(
            [&] { s.seite->als_pdf_speichern(); },
            [&](QFileDialog* d) {
                vorschlag = QFileInfo(d->selectedFiles().value(0)).fileName();
                // Typed, as a user would, not waiting for the listing.
                d->findChild<QLineEdit*>("fileNameEdit")->setText(ordner.filePath("s"));
                static_cast<QDialog*>(d)->accept();
            }));
        QCOMPARE(vorschlag, QStringLiteral("seite2.pdf"));
        QVERIFY(datei_inhalt(datei).startsWith("%PDF-") &&
                datei_inhalt(datei).contains("/MediaBox [0 0 842"));
        QVERIFY(im_dialog<QFileDialog>([&] { s.seite->als_pdf_speichern(); },
                                       [&](QFileDialog* d) {
                                           danach = d->directory().path();
                                           d->reject();
                                       }));
        QCOMPARE(danach, ordner.path());
        QWidget hoch;
        hoch.resize(300, 500);
        QVERIFY(shell::seite_als_pdf(hoch, datei));
        QVERIFY(datei_inhalt(datei).contains("/MediaBox [0 0 595"));
        for (const QString& falsch : {ordner.filePath("fehlt/s.pdf"), ordner.path()}) {
            QString fehler;
            QVERIFY(!shell::seite_als_pdf(*s.seite, falsch, &fehler) && !fehler.isEmpty());
        }
        QCOMPARE(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("s.pdf")});
    }

    // The page's menu opens on its background and texts, not on a button or a field; from the
    // keyboard on a button as well.
    void menue_data() {
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("maus");
        QTest::addColumn<bool>("seitenmenue");
        QTest::newRow("Hintergrund") << QString() << true << true;
        QTest::newRow("Text") << "pid3" << true << true;
        QTest::newRow("Knopf") << "start" << true << false;
        QTest::newRow("Feld") << "w1" << true << false;
        QTest::newRow("Knopf, Tastatur") << "start" << false << true;
    }
    void menue() {
        QFETCH(QString, element);
        QFETCH(bool, maus);
        Seite s(2);
        QWidget* w = element.isEmpty() ? s.seite : s.seite->findChild<QWidget*>(element);
        QPoint wo = element.isEmpty() ? QPoint(2, s.seite->height() - 2) : w->rect().center();
        if (QWidget* innen = w->childAt(wo)) wo = innen->mapFrom(w, wo), w = innen;
        QVERIFY(!element.isEmpty() || w == s.seite);
        QStringList texte;
        if (QMenu* menue = menue_oeffnen(
                w, wo, maus ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard)) {
            texte = eintraege(menue);
            menue->close();
        }
        QTEST(texte ==
                  QStringList({"Seite drucken …", "Als PDF speichern …", "Versuchsprotokoll …"}),
              "seitenmenue");
    }
};

QTEST_MAIN(TestDrucken)
#include "test_drucken.moc"
