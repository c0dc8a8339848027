#pragma once
// Waiting on a viewer's browser in the offscreen tests: the page loaded, the text it shows, a click on a
// link of it, and the viewer windows on screen.

#include "viewers/VisorDocumento.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QTest>

// The text the window's page shows (document.body.innerText), once its load has completed.
inline QString textoDe(visores::VisorDocumento& v)
{
    QString texto;
    bool listo = false;
    v.wbExplorer->vista()->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"), QWebEngineScript::ApplicationWorld,
                                                 [&](const QVariant& r) {
                                                     texto = r.toString();
                                                     listo = true;
                                                 });
    return QTest::qWaitFor([&] { return listo; }, 15000) ? texto : QStringLiteral("<no answer>");
}

// Clicks the first anchor whose address holds `parte`, as the operator does.
inline void clicEnEnlace(visores::VisorDocumento& v, const QString& parte)
{
    v.wbExplorer->vista()->page()->runJavaScript(
        QStringLiteral("Array.from(document.querySelectorAll('a')).find(a => a.getAttribute('href').indexOf('%1') >= 0)"
                       ".click()")
            .arg(parte),
        QWebEngineScript::ApplicationWorld);
}

// The visible viewer windows of a class.
template <class T>
QList<T*> visibles()
{
    QList<T*> ventanas;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<T*>(w); v && v->isVisible())
            ventanas << v;
    return ventanas;
}

// Waits until a browser has loaded what it was pointed at (a spy on its DownloadComplete).
inline bool cargada(QSignalSpy& completas)
{
    return !completas.isEmpty() || completas.wait(30000);
}
