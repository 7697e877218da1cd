#include "PreviewAnswer.h"

#include "report/PreviewWindow.h"

#include <QTest>

PreviewAnswer::PreviewAnswer()
    : ModalAnswer([this](QWidget *dialog) {
        auto *preview = qobject_cast<report::PreviewWindow *>(dialog);
        // The pages are built from inside the preview's own event loop.
        if (!preview || !QTest::qWaitFor([preview] { return preview->document().pageCount() > 0; }))
            return false;
        m_caption = preview->windowTitle();
        for (const report::Page &page : preview->document().pages())
            for (const report::PageItem &item : page.items)
                if (const auto *text = std::get_if<report::TextItem>(&item))
                    m_texts.append(text->text);
        preview->close();
        return true;
    })
{
}
