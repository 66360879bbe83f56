// The Qt front end of 窗口, run with QT_QPA_PLATFORM=offscreen.
// Message boxes, the file dialog and the shell's "open" are replaced; no real
// QFileDialog or QMessageBox is ever shown here.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <optional>

#include "app/app_texts.h"
#include "app/qt/program.h"
#include "app/qt/theme.h"
#include "app/window_layout.h"
#include "card/card_background.h"
#include "card/initial_texts.h"
#include "platform/gbk.h"

using app::Box;
using app::qt::MainWindow;
using app::qt::Program;

namespace {


const QString kSourceDir = QStringLiteral(SHOWCARD_SOURCE_DIR);

// What the replaced services saw, in order.
struct Recorder {
  QStringList log;
  QList<QPair<QString, QString>> messages;
  QList<app::qt::QtFileDialogRequest> requests;
  std::deque<std::optional<QString>> answers;
  QStringList opened;
  std::function<void()> on_message;
  std::function<void()> on_dialog;
};

app::qt::SystemServices FakeServices(Recorder& r) {
  app::qt::SystemServices s;
  s.show_message = [&r](const QString& caption, const QString& text) {
    r.log << "message " + caption;
    r.messages.append({caption, text});
    if (r.on_message) r.on_message();
  };
  s.choose_file = [&r](const app::qt::QtFileDialogRequest& request) -> std::optional<QString> {
    r.log << "dialog";
    r.requests.append(request);
    if (r.on_dialog) r.on_dialog();
    if (r.answers.empty()) return std::nullopt;
    auto answer = r.answers.front();
    r.answers.pop_front();
    return answer;
  };
  s.shell_open = [&r](const QString& address) {
    r.log << "open " + address;
    r.opened << address;
  };
  return s;
}

QImage Bare() {
  canvas::CardCanvas bare(card::CardBackgroundBytes(), 96);
  return QImage(bare.Pixels(), canvas::CardCanvas::kWidth, canvas::CardCanvas::kHeight,
                canvas::CardCanvas::kWidth * 3, QImage::Format_RGB888)
      .copy();
}

// Pixels of the avatar frame's interior that differ from the bare background.
int AvatarPixelsChanged(const QImage& card) {
  const QImage bare = Bare();
  int n = 0;
  for (int y = 5; y < 133; ++y)
    for (int x = 5; x < 83; ++x)
      if (card.pixel(x, y) != bare.pixel(x, y)) ++n;
  return n;
}

}  // namespace

class QtWindowTest : public QObject {
  Q_OBJECT

 private:
  Recorder recorder_;
  platform::FixedTickCounter ticks_{1000};
  std::unique_ptr<Program> program_;
  std::unique_ptr<QTemporaryDir> temp_;

  MainWindow& W() { return program_->Window(); }
  app::qt::GbkLineEdit* B(Box box) { return W().BoxWidget(box); }
  QWindow* Handle() { return W().windowHandle(); }
  QImage Card() { return W().Canvas()->CardImage(); }

  // Builds the program over the fake services; `run_directory` empty: the source tree.
  void Make(const QString& run_directory = QString(), app::CardSaver saver = {}) {
    app::qt::ProgramSetup setup;
    setup.run_directory = platform::GbkFromUtf8((run_directory.isEmpty() ? kSourceDir : run_directory).toStdString());
    setup.services = FakeServices(recorder_);
    setup.ticks = &ticks_;
    setup.saver = std::move(saver);
    setup.dpi = 96;
    program_ = std::make_unique<Program>(std::move(setup));
  }

  // Starts it, waits until the window is active and the first card is there.
  void StartAndSettle() {
    program_->Start();
    QVERIFY(QTest::qWaitForWindowActive(&W()));
    QTRY_VERIFY_WITH_TIMEOUT(Card() != Bare(), 5000);
    QCOMPARE(QApplication::focusWidget(), B(Box::Nickname));
  }

  void Type(const QString& text) {
    for (const QChar c : text) {
      const Qt::Key key = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue())
                          : (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('Z'))
                              ? Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'))
                          : c == QLatin1Char('-') ? Qt::Key_Minus
                                                  : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, Handle(), key, QString(c), Qt::NoModifier);
    }
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Handle(), key, mods); }
  void Focus(Box box) {
    B(box)->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), B(box));
  }

 private slots:
  void initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    app::qt::SetUpApplication();
  }

  void init() {
    recorder_ = Recorder{};
    temp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(temp_->isValid());
  }

  void cleanup() {
    program_.reset();
    temp_.reset();
    qApp->setStyleSheet(QString());
  }

  // --- The window and its controls -------------------------------

  void windowLayout() {
    Make();
    StartAndSettle();
    QCOMPARE(W().windowTitle(), QStringLiteral("Pinwell 禾木小站 hemu.example"));
    QCOMPARE(W().size(), QSize(501, 177));
    QCOMPARE(W().minimumSize(), W().maximumSize());  // fixed frame
    QVERIFY(W().windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(W().windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(W().windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(W().Canvas()->geometry(), QRect(8, 6, 275, 161));
    QCOMPARE(W().Canvas()->focusPolicy(), Qt::NoFocus);
    for (const app::BoxSpec& entry : app::kBoxes) {
      QCOMPARE(B(entry.box)->geometry(), QRect(entry.rect.x, entry.rect.y, entry.rect.width, entry.rect.height));
      QCOMPARE(B(entry.box)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }
    const QStringList labels = {"昵称：", "Q  Q：", "签名：", "印象：", "QQ秀："};
    for (int i = 0; i < 5; ++i) {
      QCOMPARE(W().Label(static_cast<std::size_t>(i))->text(), labels[i]);
      QCOMPARE(W().Label(static_cast<std::size_t>(i))->focusPolicy(), Qt::NoFocus);
      // Each edit box lies above its label.
      QWidget* top = W().childAt(340, W().Label(static_cast<std::size_t>(i))->geometry().center().y());
      QVERIFY(qobject_cast<QLineEdit*>(top) != nullptr);
    }
    QCOMPARE(W().GenerateButton()->geometry(), QRect(294, 144, 90, 24));
    QCOMPARE(W().SaveButton()->geometry(), QRect(402, 144, 90, 24));
    QCOMPARE(W().GenerateButton()->text(), QStringLiteral("生成(&A)"));
    QCOMPARE(W().SaveButton()->text(), QStringLiteral("保存(&S)"));
    QVERIFY(!W().GenerateButton()->isDefault() && !W().GenerateButton()->autoDefault());
    QVERIFY(!W().SaveButton()->isDefault() && !W().SaveButton()->autoDefault());
  }

  void initialTexts() {
    Make();
    QCOMPARE(B(Box::Nickname)->GbkText(), card::kInitialNickname);
    QCOMPARE(B(Box::QqNumber)->GbkText(), card::kInitialQqNumber);
    QCOMPARE(B(Box::Signature)->text(), QStringLiteral("禾木小站  Hemu.Example"));
    QCOMPARE(B(Box::Impression)->text(), QStringLiteral("『请添加QQ581264079！』 "));
    QCOMPARE(B(Box::Impression)->GbkText().size(), std::size_t{24});
    QCOMPARE(B(Box::AvatarPath)->text(), QString());
    for (const app::BoxSpec& entry : app::kBoxes) {
      QCOMPARE(B(entry.box)->cursorPosition(), 0);
      QVERIFY(!B(entry.box)->hasSelectedText());
    }
  }

  void canvasViewShowsThePixelsInABorder() {
    Make();
    StartAndSettle();
    const QImage shot = W().Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB888);
    QCOMPARE(shot.size(), QSize(275, 161));
    QCOMPARE(QColor(shot.pixel(0, 0)), QColor(0, 0, 0));
    QCOMPARE(QColor(shot.pixel(274, 160)), QColor(0, 0, 0));
    QCOMPARE(QColor(shot.pixel(137, 0)), QColor(0, 0, 0));
    const QImage card = Card();
    QCOMPARE(shot.copy(1, 1, 273, 159), card);
    // A change of the pixels repaints the view.
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    QTRY_COMPARE(W().Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB888).copy(1, 1, 273, 159), Bare());
  }

  void themeIsAStyleSheet() {
    Make();
    StartAndSettle();
    const QString sheet = qApp->styleSheet();
    QVERIFY(sheet.contains("#C6C5D7"));
    QVERIFY(sheet.contains("qlineargradient"));
    QVERIFY(sheet.contains("border-radius"));
    QCOMPARE(sheet, app::qt::VisualThemeStyleSheet(3));
    // An edit box: a one-pixel outer frame in #C6C5D7, the window colour inside it.
    const QImage box = B(Box::Signature)->grab().toImage();
    QCOMPARE(QColor(box.pixel(0, 12)), QColor(0xC6, 0xC5, 0xD7));
    QCOMPARE(QColor(box.pixel(80, 0)), QColor(0xC6, 0xC5, 0xD7));
    QCOMPARE(QColor(box.pixel(1, 12)), QColor(0xFF, 0xFF, 0xFF));
    // A push button: a gradient face.
    const QImage button = W().SaveButton()->grab().toImage();
    QVERIFY(QColor(button.pixel(45, 3)) != QColor(button.pixel(45, 20)));
  }

  // --- Keys: the Enter chain ------------------------------------------------

  void enterChainAndItsSelections() {
    Make();
    StartAndSettle();
    Key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), B(Box::QqNumber));
    QCOMPARE(B(Box::QqNumber)->selectedText(), QStringLiteral("581264079"));
    QCOMPARE(B(Box::QqNumber)->cursorPosition(), 9);
    Key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), B(Box::Signature));
    QCOMPARE(B(Box::Signature)->selectedText(), B(Box::Signature)->text());
    // 250 bytes in the impression box: its first 200 bytes get selected.
    QString long_text;
    for (int i = 0; i < 125; ++i) long_text += QStringLiteral("中");
    B(Box::Impression)->setText(long_text);
    Key(Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), B(Box::Impression));
    QCOMPARE(B(Box::Impression)->selectedText(), long_text.left(100));
    QCOMPARE(B(Box::Impression)->selectionStart(), 0);
    QVERIFY(recorder_.requests.isEmpty());
  }

  void enterWithModifiersAndOnTheKeypad() {
    Make();
    StartAndSettle();
    for (auto mods : {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
                      Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
      Focus(Box::Nickname);
      Key(mods == Qt::KeypadModifier ? Qt::Key_Enter : Qt::Key_Return, mods);
      QCOMPARE(QApplication::focusWidget(), B(Box::QqNumber));
      QCOMPARE(B(Box::QqNumber)->selectedText(), QStringLiteral("581264079"));
    }
  }

  void enterInTheImpressionBoxOpensThePickerWithoutComposing() {
    Make();
    StartAndSettle();
    const QImage before = Card();
    QWidget* focus_at_dialog = nullptr;
    recorder_.on_dialog = [&] { focus_at_dialog = QApplication::focusWidget(); };
    Focus(Box::Impression);
    const QString impression = B(Box::Impression)->text();
    Key(Qt::Key_Return);
    QCOMPARE(recorder_.requests.size(), 1);
    QCOMPARE(focus_at_dialog, B(Box::AvatarPath));
    QCOMPARE(QApplication::focusWidget(), B(Box::AvatarPath));
    QCOMPARE(B(Box::Impression)->text(), impression);
    QCOMPARE(Card(), before);  // not composed
  }

  void enterOnAButtonDoesNothing() {
    Make();
    StartAndSettle();
    W().GenerateButton()->setFocus(Qt::OtherFocusReason);
    QSignalSpy clicks(W().GenerateButton(), &QPushButton::clicked);
    Key(Qt::Key_Return);
    QTest::qWait(50);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(QApplication::focusWidget(), W().GenerateButton());
    Key(Qt::Key_Space);  // Space clicks it
    QTRY_COMPARE(clicks.count(), 1);
  }

  // --- Byte limits and the QQ filter ---------------------------------------

  void byteLimitsWithChineseText() {
    Make();
    StartAndSettle();
    B(Box::Nickname)->clear();
    Type(QStringLiteral("中文字符六个"));  // 12 bytes
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("中文字符六个"));
    Type(QStringLiteral("七"));
    Type(QStringLiteral("a"));
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("中文字符六个"));
    QCOMPARE(B(Box::Nickname)->GbkText().size(), std::size_t{12});

    B(Box::Nickname)->setText(QStringLiteral("abcdefghijk"));  // 11 bytes
    B(Box::Nickname)->end(false);
    Type(QStringLiteral("中"));  // two bytes do not fit in one
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("abcdefghijk"));
    Type(QStringLiteral("l"));  // the twelfth byte fits
    Type(QStringLiteral("m"));  // the thirteenth does not
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("abcdefghijkl"));

    // Typing over a selection replaces it within the limit.
    B(Box::Nickname)->selectAll();
    Type(QStringLiteral("禾"));
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("禾"));
  }

  void pastedInputIsCutToWhatFits() {
    Make();
    StartAndSettle();
    B(Box::Nickname)->setText(QStringLiteral("KW-T"));
    B(Box::Nickname)->end(false);
    QGuiApplication::clipboard()->setText(QStringLiteral("禾木小站你好"));  // 12 bytes, 8 fit
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("KW-T禾木小站"));
    QCOMPARE(B(Box::Nickname)->cursorPosition(), 8);

    B(Box::Nickname)->setText(QStringLiteral("abcdefghij"));  // 10 bytes: 1 Chinese character fits
    B(Box::Nickname)->setCursorPosition(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("中文"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("abc中defghij"));

    B(Box::Nickname)->setText(QStringLiteral("abcdefghijk"));  // 11 bytes: nothing Chinese fits
    B(Box::Nickname)->end(false);
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("abcdefghijk"));
  }

  void qqFilter() {
    Make();
    StartAndSettle();
    Focus(Box::QqNumber);
    B(Box::QqNumber)->clear();
    Type(QStringLiteral("a"));
    QCOMPARE(B(Box::QqNumber)->text(), QString());
    Type(QStringLiteral("12-3"));
    QCOMPARE(B(Box::QqNumber)->text(), QStringLiteral("12-3"));
    Type(QStringLiteral("中 x.+"));
    QCOMPARE(B(Box::QqNumber)->text(), QStringLiteral("12-3"));
    Type(QStringLiteral("456789"));  // ten bytes
    QCOMPARE(B(Box::QqNumber)->text(), QStringLiteral("12-3456789"));
    Type(QStringLiteral("0"));  // an eleventh byte is refused
    QCOMPARE(B(Box::QqNumber)->text(), QStringLiteral("12-3456789"));
    // Pasted text is not filtered.
    B(Box::QqNumber)->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(B(Box::QqNumber)->text(), QStringLiteral("abc"));
    // Backspace passes the filter.
    Key(Qt::Key_Backspace);
    QCOMPARE(B(Box::QqNumber)->text(), QStringLiteral("ab"));
  }

  void unlimitedBoxesTakeLongText() {
    Make();
    StartAndSettle();
    Focus(Box::Signature);
    B(Box::Signature)->clear();
    Type(QString(300, QLatin1Char('x')));
    QCOMPARE(B(Box::Signature)->text().size(), 300);
  }

  // --- Tab order and Esc ----------------------------------------------------

  void tabOrderBothWays() {
    Make();
    StartAndSettle();
    const QList<QWidget*> order = {W().GenerateButton(), W().SaveButton(), B(Box::Nickname), B(Box::QqNumber),
                                   B(Box::Signature),    B(Box::Impression), B(Box::AvatarPath)};
    W().GenerateButton()->setFocus(Qt::OtherFocusReason);
    for (int i = 1; i <= 7; ++i) {
      Key(Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), order[i % 7]);
    }
    for (int i = 6; i >= 0; --i) {
      Key(Qt::Key_Tab, Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget(), order[i]);
    }
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), order[6]);
    // Tab in the path box goes to 生成 and composes nothing. (The Shift key
    // pressed alone in it for the Shift+Tab above did compose.)
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    const QImage card = Card();
    Key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), W().GenerateButton());
    QCOMPARE(Card(), card);
    QCOMPARE(recorder_.requests.size(), 0);
    // Shift+Tab in the nickname box goes to 保存.
    Focus(Box::Nickname);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), W().SaveButton());
  }

  void escClosesTheWindowFromAnyBox() {
    for (Box box : {Box::Nickname, Box::QqNumber, Box::Signature, Box::Impression, Box::AvatarPath}) {
      Make();
      StartAndSettle();
      Focus(box);
      const QImage card = Card();
      Key(Qt::Key_Escape);
      QTRY_VERIFY(!W().isVisible());
      // The window is the program's only one and quits it when closed.
      QVERIFY(W().testAttribute(Qt::WA_QuitOnClose));
      QVERIFY(W().isWindow());
      QCOMPARE(Card(), card);     // Esc composes nothing
      program_.reset();
    }
  }

  // --- Alt mnemonics --------------------------------------------------------

  void altAComposes() {
    Make();
    StartAndSettle();
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    QCOMPARE(Card(), Bare());
    Focus(Box::Signature);
    const QString text = B(Box::Signature)->text();
    Key(Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(Card() != Bare());
    QCOMPARE(B(Box::Signature)->text(), text);  // the key was consumed
    // Other modifiers may be held too.
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    Key(Qt::Key_A, Qt::AltModifier | Qt::ShiftModifier);
    QTRY_VERIFY(Card() != Bare());
    // Alt with another letter finds nothing and types nothing.
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    Key(Qt::Key_X, Qt::AltModifier);
    QTest::qWait(150);
    QCOMPARE(Card(), Bare());
    QCOMPARE(B(Box::Signature)->text(), text);
  }

  void altSSavesAndShowsTheOutcome() {
#ifdef SHOWCARD_HAVE_SAVE
    Make(temp_->path(), app::DefaultCardSaver());
    StartAndSettle();
    Focus(Box::Impression);
    Key(Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(recorder_.messages.size(), 2);  // the credit box, then the save
    QCOMPARE(recorder_.messages[1].first, QStringLiteral("保存成功"));
    const QString first = temp_->path() + "/IMG1.jpg";
    QVERIFY2(recorder_.messages[1].second.endsWith(first), qPrintable(recorder_.messages[1].second));
    QVERIFY(!recorder_.messages[1].second.contains('\r'));
    QVERIFY(QFile::exists(first));
    QVERIFY(QFile::exists(temp_->path() + "/temp"));
    // The button itself, with the mouse.
    QTest::mouseClick(W().SaveButton(), Qt::LeftButton);
    QTRY_COMPARE(recorder_.messages.size(), 3);
    QVERIFY(recorder_.messages[2].second.endsWith(temp_->path() + "/IMG2.jpg"));
    QVERIFY(QFile::exists(temp_->path() + "/IMG2.jpg"));
    QCOMPARE(QImage(temp_->path() + "/IMG2.jpg").size(), QSize(273, 159));
#else
    QSKIP("built without saving");
#endif
  }

  // --- 编辑框_URL composes before the key lands ------------------------------

  void pathBoxComposesBeforeTheKeyLands() {
    Make();
    StartAndSettle();
    const QString path = kSourceDir + "/QQshow/01.jpg";
    B(Box::AvatarPath)->setText(path);
    Focus(Box::AvatarPath);
    B(Box::AvatarPath)->end(false);
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    Type(QStringLiteral("x"));
    QCOMPARE(B(Box::AvatarPath)->text(), path + "x");
    QVERIFY(AvatarPixelsChanged(Card()) > 1000);  // composed from the path without the "x"
    program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
    Key(Qt::Key_Left);  // an arrow key composes too, now from the path with the "x"
    QVERIFY(Card() != Bare());
    QCOMPARE(AvatarPixelsChanged(Card()), 0);  // no such file: no avatar
    QCOMPARE(B(Box::AvatarPath)->cursorPosition(), path.size());
  }

  void modifierAloneAndF1InThePathBoxCompose() {
    Make();
    StartAndSettle();
    Focus(Box::AvatarPath);
    for (Qt::Key key : {Qt::Key_Shift, Qt::Key_F1, Qt::Key_Control, Qt::Key_Down, Qt::Key_Return}) {
      program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
      QTest::sendKeyEvent(QTest::Press, Handle(), key, QString(), Qt::NoModifier);
      QVERIFY2(Card() != Bare(), qPrintable(QString::number(key, 16)));
      QTest::sendKeyEvent(QTest::Release, Handle(), key, QString(), Qt::NoModifier);
    }
    QCOMPARE(recorder_.requests.size(), 0);
  }

  void autoRepeatComposesEachTime() {
    Make();
    StartAndSettle();
    Focus(Box::AvatarPath);
    for (int i = 0; i < 3; ++i) {
      program_->Canvas().SetBackgroundPicture(card::CardBackgroundBytes());
      QTest::simulateEvent(Handle(), true, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), i > 0);
      QVERIFY(Card() != Bare());
    }
    QTest::simulateEvent(Handle(), false, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), false);
  }

  // --- The picker --------------------------------------------------

  void pickerConfirmAndCancel() {
    Make();
    StartAndSettle();
    const QString first = kSourceDir + "/QQshow/01.jpg";
    QCOMPARE(B(Box::AvatarPath)->text(), first);  // set by the start-up
    const QImage card = Card();

    // A left click into the box opens the dialog when the button is released.
    recorder_.answers.push_back(kSourceDir + "/QQshow/03.bmp");
    QTest::mousePress(B(Box::AvatarPath), Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(recorder_.requests.size(), 0);
    QTest::mouseRelease(B(Box::AvatarPath), Qt::LeftButton, {}, QPoint(20, 12));
    QCOMPARE(recorder_.requests.size(), 1);
    const app::qt::QtFileDialogRequest& r = recorder_.requests[0];
    QCOMPARE(r.initial_folder, kSourceDir + "/QQshow");
    QCOMPARE(r.initial_file_name, QString());
    QCOMPARE(r.title, QString());
    QCOMPARE(r.name_filters.size(), 1);
    QVERIFY(r.name_filters[0].startsWith(QStringLiteral("图片文件（*.jpg，*.gif，*.bmp） (")));
    QCOMPARE(r.selected_filter, 0);
    QCOMPARE(B(Box::AvatarPath)->text(), kSourceDir + "/QQshow/03.bmp");
    QCOMPARE(Card(), card);  // the new path takes effect at the next composition

    // Typed by hand, then the picker is cancelled: the box keeps what was typed.
    B(Box::AvatarPath)->setText(QStringLiteral("typed by hand"));
    QTest::mouseClick(B(Box::AvatarPath), Qt::LeftButton);
    QCOMPARE(recorder_.requests.size(), 2);
    QCOMPARE(recorder_.requests[1].initial_file_name, kSourceDir + "/QQshow/03.bmp");
    QCOMPARE(B(Box::AvatarPath)->text(), QStringLiteral("typed by hand"));

    // A right click opens nothing.
    QTest::mouseClick(B(Box::AvatarPath), Qt::RightButton);
    QCOMPARE(recorder_.requests.size(), 2);
  }

  void pickerPatternsMatchEitherLetterCase() {
    Make();
    program_->Behaviour().PickAvatar();
    QCOMPARE(recorder_.requests.size(), 1);
    const QString filter = recorder_.requests[0].name_filters[0];
    const QRegularExpression split(QStringLiteral("\\(([^()]*)\\)$"));
    const auto m = split.match(filter);
    QVERIFY(m.hasMatch());
    const QStringList patterns = m.captured(1).split(' ', Qt::SkipEmptyParts);
    QCOMPARE(patterns.size(), 3);
    auto matches = [&](const QString& name) {
      for (const QString& p : patterns)
        if (QRegularExpression::fromWildcard(p, Qt::CaseSensitive).match(name).hasMatch()) return true;
      return false;
    };
    for (const char* name : {"a.jpg", "B.JPG", "c.Jpg", "d.gif", "E.GIF", "f.bmp", "G.BMP", "头像.jpg"})
      QVERIFY2(matches(QString::fromUtf8(name)), name);
    for (const char* name : {"a.png", "b.jpeg", "c.jpg.txt", "bmp"}) QVERIFY2(!matches(QString::fromUtf8(name)), name);
  }

  // --- The start-up -------------------------------------------------

  void startUpOrder() {
    Make();
    bool visible_at_credit = true;
    QString sheet_at_credit;
    bool opened_before_credit = true;
    recorder_.on_message = [&] {
      visible_at_credit = W().isVisible();
      sheet_at_credit = qApp->styleSheet();
      opened_before_credit = !recorder_.opened.isEmpty();
    };
    QElapsedTimer shown;
    program_->Start();
    shown.start();
    QCOMPARE(recorder_.log, (QStringList{"message Hemu.Example", "open hemu.example"}));
    QVERIFY(!visible_at_credit);                 // the credit box stands alone
    QVERIFY(sheet_at_credit.contains("#C6C5D7"));  // drawn in the theme already
    QVERIFY(!opened_before_credit);
    QCOMPARE(recorder_.messages[0].first, QStringLiteral("Hemu.Example"));
    QCOMPARE(recorder_.messages[0].second,
             QStringLiteral("本软件由 KW-T（581264079）制作\n禾木小站  Hemu.Example"));
    QCOMPARE(recorder_.opened, QStringList{"hemu.example"});
    QCOMPARE(app::qt::ShellAddress("hemu.example"), QStringLiteral("http://hemu.example"));
    QVERIFY(W().isVisible());
    QCOMPARE(B(Box::AvatarPath)->text(), QString());  // set once the event loop runs

    QVERIFY(QTest::qWaitForWindowActive(&W()));
    QCOMPARE(QApplication::focusWidget(), B(Box::Nickname));
    QCOMPARE(B(Box::Nickname)->selectedText(), QStringLiteral("KW-T"));
    QTRY_COMPARE(B(Box::AvatarPath)->text(), kSourceDir + "/QQshow/01.jpg");
    QCOMPARE(Card(), Bare());
    QTRY_VERIFY_WITH_TIMEOUT(Card() != Bare(), 5000);
    QVERIFY2(shown.elapsed() >= 295, qPrintable(QString::number(shown.elapsed())));
    QVERIFY(AvatarPixelsChanged(Card()) > 1000);  // with the first avatar

    // Typing right away replaces the selected "KW-T".
    Type(QStringLiteral("Z"));
    QCOMPARE(B(Box::Nickname)->text(), QStringLiteral("Z"));
  }

  void windowClosedBeforeTheFirstCard() {
    Make();
    program_->Start();
    QVERIFY(QTest::qWaitForWindowActive(&W()));
    Key(Qt::Key_Escape);
    QTRY_VERIFY(!W().isVisible());
    program_.reset();  // the program ends; the queued composition goes with it
    QTest::qWait(400);
  }

  void missingFirstAvatar() {
    Make(temp_->path());
    StartAndSettle();
    QCOMPARE(B(Box::AvatarPath)->text(), temp_->path() + "/QQshow/01.jpg");
    QCOMPARE(AvatarPixelsChanged(Card()), 0);
  }
};

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
