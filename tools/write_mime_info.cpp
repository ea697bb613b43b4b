// Writes the shared-mime-info description of style files (packaging installs it as
// mime/packages/quarv.xml): write_mime_info FILE. Its magic is every tag of the format table.
#include "styles/known_formats.h"

#include <QFile>
#include <QSet>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-korg-style">
    <comment>Korg keyboard style file</comment>
    <!-- TeX claims *.sty too: our glob weighs less, and our magic, at priority 80, is taken before
         any glob, so the Korg header decides and a LaTeX .sty stays text/x-tex. -->
    <glob pattern="*.sty" case-sensitive="false" weight="40"/>
    <magic priority="80">
)";
    QSet<QByteArray> written;
    for (const KnownFormat &format : KnownFormats) {
        const QByteArray match = QByteArray(R"(      <match type="string" offset=")")
            + QByteArray::number(format.tagOffset) + R"(" value=")"
            + QByteArray(format.tag).replace('&', "&amp;").replace('<', "&lt;") + "\"/>\n";
        if (!written.contains(match))
            xml += match;
        written.insert(match);
    }
    xml += "    </magic>\n  </mime-type>\n</mime-info>\n";
    QFile out(QFile::decodeName(argv[1]));
    return out.open(QIODevice::WriteOnly) && out.write(xml) == xml.size() && out.flush() ? 0 : 1;
}
