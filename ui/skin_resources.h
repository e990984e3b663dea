#pragma once
// The skin folder and its resource index "res.xml", which maps resource
// names ("XML_MAIN", "XML_MSG", ...) to layout files and names the style sheet.
//
//   <Res>
//     <layout name="XML_MAIN" file="main.ui"/>
//     <style file="style.qss"/>
//   </Res>
#include <QHash>
#include <QString>

namespace r88::ui {

class CSkinResources {
public:
    // Reads folder/res.xml. On failure the index stays empty and Error() says why.
    bool Load(const QString& folder);

    QString Folder() const { return folder_; }
    // Full path of a resource's layout, or the name itself resolved in the
    // skin folder when the index does not list it (a plain file name).
    QString LayoutPath(const QString& resourceName) const;
    bool HasResource(const QString& resourceName) const { return layouts_.contains(resourceName); }
    // Contents of the style sheet named by the index; empty when none.
    QString StyleSheet() const;
    QString Error() const { return error_; }

    static CSkinResources& Instance();

private:
    QString folder_;
    QHash<QString, QString> layouts_;
    QString styleFile_;
    QString error_;
};

}  // namespace r88::ui
