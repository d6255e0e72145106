// How long the phonebook page keeps the user waiting when its list is
// sorted: the sort that ends every phonebook read, and a click on a column's
// header with the selected row near the top of the list and at its bottom,
// at 1,000 and 4,000 entries. The page is the program's own, shown (on the
// offscreen platform unless QT_QPA_PLATFORM names another), its rows added
// as a read adds them. A benchmark: it prints figures and asserts nothing.
//
//   list_sort_bench [--rows N]... [--runs N]

#include "bench/support/bench_support.h"
#include "engine/phonebook/phonebook_views.h"
#include "engine/serial/serial_port_driver.h"
#include "engine/session/phone_engine.h"
#include "platform/serial/termios_serial_device.h"
#include "ui/base/qt_scheduler.h"
#include "ui/pages/phonebook_page.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace parlenko {
namespace {

using bench::Clock;
using ui::TImenikPage;

// Names as a phonebook holds them: first name and surname, some with the
// Croatian letters, none twice.
std::string NameOf(int i, std::mt19937& random) {
    static const char* const kFirst[] = {"Ana",
                                         "Ivo",
                                         "Marko",
                                         "\xC8"
                                         "edo",
                                         "Petra",
                                         "Luka",
                                         "Ivana",
                                         "Josip",
                                         "\x8A"
                                         "ime",
                                         "Maja",
                                         "Tomo",
                                         "Ema"};
    static const char* const kLast[] = {"Horvat",
                                        "Kova\xE8"
                                        "i\xE6",
                                        "Babi\xE6",
                                        "Mari\xE6",
                                        "Juri\xE6",
                                        "Novak",
                                        "Kne\x9E"
                                        "evi\xE6",
                                        "Vukovi\xE6"};
    std::uniform_int_distribution<std::size_t> first(0, std::size(kFirst) - 1);
    std::uniform_int_distribution<std::size_t> last(0, std::size(kLast) - 1);
    return std::string(kFirst[first(random)]) + " " + kLast[last(random)] + " " + std::to_string(i);
}

PhonebookRow RowOf(int i, std::mt19937& random) {
    PhonebookRow row;
    row.Caption = NameOf(i, random).substr(0, 16);
    row.Number = "+3859" + std::to_string(1000000 + i);
    row.Memory = i % 2 == 0 ? "SIM card" : "Mobile memory";
    const std::string position = std::to_string(i % 999 + 1);
    row.Position = std::string(3 - position.size(), '0') + position;
    row.Image = i % 7 == 0 ? 4 : 3;
    return row;
}

struct Figures {
    double readEndMs = 0;  // the sort at the end of a read
    double topMs = 0;      // a header click, the selected row near the top
    double bottomMs = 0;   // a header click, the selected row at the bottom
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Time of one call of step, the pending events (painting) included.
template <class Step>
double Timed(Step step) {
    const auto start = Clock::now();
    step();
    QApplication::processEvents();
    return bench::MsBetween(start, Clock::now());
}

Figures Measure(TImenikPage& page, int rows, int runs) {
    auto& list = *page.findChild<QTreeWidget*>("ImenikList");
    std::vector<double> readEnd, top, bottom;
    std::mt19937 random(20240605);
    for (int run = 0; run < runs; ++run) {
        page.ClearPhonebookRows();
        for (int i = 0; i < rows; ++i) page.AddPhonebookRow(RowOf(i, random));
        QApplication::processEvents();
        readEnd.push_back(Timed([&] { page.SortPhonebookRows(); }));

        list.setCurrentItem(list.topLevelItem(1));
        list.scrollToItem(list.topLevelItem(1));
        QApplication::processEvents();
        top.push_back(Timed([&] { page.ImenikListColumnClick(0); }));

        const int last = list.topLevelItemCount() - 1;
        list.setCurrentItem(list.topLevelItem(last));
        list.scrollToItem(list.topLevelItem(last));
        QApplication::processEvents();
        bottom.push_back(Timed([&] { page.ImenikListColumnClick(0); }));
    }
    return {Median(readEnd), Median(top), Median(bottom)};
}

int Run(int argc, char** argv) {
    std::vector<int> sizes;
    int runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--rows") sizes.push_back(std::atoi(argv[i + 1]));
        else if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    }
    if (sizes.empty()) sizes = {1000, 4000};

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::QtScheduler scheduler;
    platform::TermiosSerialDevice device;
    TSerialPortDriver port(device, scheduler);
    bench::ConsoleHost host;
    PhoneEngine engine(port, scheduler, host);
    TImenikPage page(engine, QDir::tempPath());
    page.resize(520, 420);
    page.show();
    QApplication::processEvents();

    std::printf("phonebook list sort, median of %d runs (ms)\n", runs);
    std::printf("%8s  %12s  %18s  %21s\n", "rows", "end of read", "header, row at top",
                "header, row at bottom");
    for (int rows : sizes) {
        const Figures f = Measure(page, rows, runs);
        std::printf("%8d  %12.1f  %18.1f  %21.1f\n", rows, f.readEndMs, f.topMs, f.bottomMs);
    }
    return 0;
}

}  // namespace
}  // namespace parlenko

int main(int argc, char** argv) { return parlenko::Run(argc, argv); }
