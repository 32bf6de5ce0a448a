#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QDir kResources(KESTRION_RESOURCES);

// The file names the resource file lists under the /icons prefix, relative to the resource folder.
QStringList IconEntries()
{
    QFile file(kResources.filePath("kestrion.qrc"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList entries;
    QString prefix;
    while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"qresource")
            prefix = xml.attributes().value("prefix").toString();
        else if (xml.name() == u"file" && prefix == "/icons")
            entries << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return entries;
}

TEST(Resources, ResourceFileListsEveryIcon)
{
    QStringList onDisk = QDir(kResources.filePath("icons")).entryList({"*.svg"}, QDir::Files);
    for (QString& name : onDisk)
        name.prepend("icons/");
    QStringList listed = IconEntries();
    listed.sort();
    EXPECT_EQ(listed.join(' ').toStdString(), onDisk.join(' ').toStdString());
}

TEST(Resources, EveryListedIconIsWellFormedSvg)
{
    for (const QString& entry : IconEntries()) {
        QFile file(kResources.filePath(entry));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << entry.toStdString();
        QXmlStreamReader xml(&file);
        ASSERT_TRUE(xml.readNextStartElement()) << entry.toStdString();
        EXPECT_EQ(xml.name(), u"svg") << entry.toStdString();
        EXPECT_EQ(xml.namespaceUri(), u"http://www.w3.org/2000/svg") << entry.toStdString();
        EXPECT_TRUE(xml.attributes().hasAttribute("viewBox")) << entry.toStdString();
        while (!xml.atEnd())
            xml.readNext();
        EXPECT_FALSE(xml.hasError()) << entry.toStdString() << ": " << xml.errorString().toStdString();
    }
}

TEST(Resources, DesktopEntryStartsTheConsoleWithItsIcon)
{
    QFile file(kResources.filePath("kestrion-demo.desktop"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&file);
    ASSERT_EQ(in.readLine(), "[Desktop Entry]");
    QMap<QString, QString> keys;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    EXPECT_EQ(keys.value("Type"), "Application");
    EXPECT_EQ(keys.value("Name"), "Kestrion Demo");
    EXPECT_FALSE(keys.value("GenericName").isEmpty());
    EXPECT_FALSE(keys.value("Comment").isEmpty());
    EXPECT_EQ(keys.value("Exec"), "kestrion-demo");
    EXPECT_EQ(keys.value("Terminal"), "false");
    EXPECT_TRUE(keys.value("Categories").endsWith(';'));
    EXPECT_TRUE(QFile::exists(kResources.filePath("icons/" + keys.value("Icon") + ".svg")));
}

} // namespace
