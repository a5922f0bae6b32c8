#include "ViewImages.h"

#include "TreeNodeKinds.h"

#include <QPixmap>
#include <array>

namespace ViewImages {

const QIcon& TreeIcon(int cell)
{
    static const std::array<QIcon, TreeNode::ImageCount> icons = [] {
        std::array<QIcon, TreeNode::ImageCount> cells;
        const QPixmap strip(QStringLiteral(":/views/tree-strip.png"));
        for (int i = 0; i < TreeNode::ImageCount; ++i)
            cells[size_t(i)] = QIcon(strip.copy(i * kTreeCellSize, 0, kTreeCellSize, kTreeCellSize));
        return cells;
    }();
    static const QIcon none;
    return cell >= 0 && cell < TreeNode::ImageCount ? icons[size_t(cell)] : none;
}

QIcon DeleteContactIcon()
{
    return QIcon(QStringLiteral(":/views/delete-contact.png"));
}

QIcon AddTextMessageIcon()
{
    return QIcon(QStringLiteral(":/views/add-text-message.png"));
}

QIcon AddNewMessageIcon()
{
    return QIcon(QStringLiteral(":/views/add-new-message.png"));
}

QIcon DeleteMessageIcon()
{
    return QIcon(QStringLiteral(":/views/delete-message.png"));
}

}  // namespace ViewImages
