// The yardsticks for start-up, timed from outside by bench/startup.sh:
//   bare_window                        one empty window; a click in it hides it and shows a second
//                                      empty one (sized like the splash and the calculator)
//   bare_window --furnished RESOURCES  the same, but the first window also carries what the splash
//                                      asks of Qt: a menu bar, a line of text and two pictures
// The second tells Qt's own cost for those widgets apart from what our framework adds.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QWidget>
#include <cstring>

namespace {

class First : public QWidget {
 public:
  explicit First(QWidget* next) : next_(next) {}

 protected:
  void mousePressEvent(QMouseEvent*) override {
    hide();
    next_->show();
  }

 private:
  QWidget* next_;
};

// Returns the menu bar's height, which the window adds to its own like the splash does.
int Furnish(QWidget& w, const QString& resources) {
  auto* bar = new QMenuBar(&w);
  QMenu* file = bar->addMenu("File");
  file->addAction("Quit");
  QMenu* edit = bar->addMenu("Edit");
  for (const char* item : {"Undo", "Cut", "Copy", "Paste", "Clear"}) edit->addAction(item);
  bar->adjustSize();
  const int top = bar->height();

  auto* text = new QLabel("A line of text in the splash window's place and size", &w);
  QFont f = text->font();
  f.setPixelSize(11);
  text->setFont(f);
  text->setGeometry(94, top + 238, 311, 20);

  const struct {
    const char* file;
    QRect at;
  } pictures[] = {{"ZEFAtitle.png", {48, 54, 404, 76}}, {"Ride64.png", {216, 142, 69, 67}}};
  for (const auto& p : pictures) {
    auto* picture = new QLabel(&w);
    picture->setPixmap(QPixmap(resources + "/" + p.file));
    picture->setGeometry(p.at.translated(0, top));
  }
  return top;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget second;
  second.setWindowTitle("bare second");
  second.setFixedSize(480, 450);
  First first(&second);
  first.setWindowTitle("bare first");
  if (argc == 3 && std::strcmp(argv[1], "--furnished") == 0) {
    first.setFixedSize(500, 300 + Furnish(first, QString::fromLocal8Bit(argv[2])));
  } else {
    first.setFixedSize(500, 300);
  }
  first.show();
  return app.exec();
}
