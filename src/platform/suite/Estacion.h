#pragma once
// The station (`gForm`): who and where the program runs, and the windows it has opened.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace suite {

class Estacion {
public:
    // The station's two identity texts, upper case: the host name and the login name.
    static QString NombreEstacion();
    static QString UsuarioEstacion();
    // The station's private temporary folder (base/CarpetaTemporalPrivada.h): this user's own folder under the
    // system temporary folder, ending in "/"; a folder that breaks the rule raises ado::Error saying why.
    static QString CarpetaTemporal();

    // Keeps the window in the station's list while it lives.
    void RegistrarFormulario(QWidget* formulario);
    QList<QWidget*> FormulariosRegistrados() const;

private:
    QList<QPointer<QWidget>> m_formularios;
};

} // namespace suite
