#pragma once

#include <QList>
#include <QPoint>

namespace zelto {

// The positions one window asked another to move to. Move events may arrive late and
// several may merge; a window that recognises a move it was asked for does not answer it
// with a move of its own, so the two windows never drag each other back.
class TRequestedMoves {
public:
    void Expect(QPoint position)
    {
        m_expected.append(position);
        if (m_expected.size() > kKept)
            m_expected.removeFirst();
    }

    // True when the position was asked for; that request and the older ones are done.
    bool Consume(QPoint position)
    {
        const qsizetype found = m_expected.indexOf(position);
        if (found < 0)
            return false;
        m_expected.remove(0, found + 1);
        return true;
    }

private:
    static constexpr qsizetype kKept = 16;
    QList<QPoint> m_expected;
};

} // namespace zelto
