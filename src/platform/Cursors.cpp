#include "platform/Cursors.h"

#include <map>

namespace {
std::map<int, QCursor>& registered() {
    static std::map<int, QCursor> cursors;
    return cursors;
}
} // namespace

void Cursors::registerCursor(int number, const QCursor& cursor) { registered().insert_or_assign(number, cursor); }

QCursor Cursors::cursor(int number) {
    const auto found = registered().find(number);
    return found != registered().end() ? found->second : QCursor(Qt::ArrowCursor);
}

void Cursors::clear() { registered().clear(); }
