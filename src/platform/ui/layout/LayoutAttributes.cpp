#include "platform/ui/layout/LayoutAttributes.h"

#include <algorithm>
#include <vector>

namespace ov::ui::layout {

UILayoutConstraintAxis axisOf(LayoutAttribute attribute) {
    switch (attribute) {
        case LayoutAttribute::top:
        case LayoutAttribute::bottom:
        case LayoutAttribute::height:
        case LayoutAttribute::centerY:
            return UILayoutConstraintAxisVertical;
        default:
            return UILayoutConstraintAxisHorizontal;
    }
}

bool isSize(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::width || attribute == LayoutAttribute::height;
}

bool isCentre(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::centerX || attribute == LayoutAttribute::centerY;
}

bool isDirectional(LayoutAttribute attribute) {
    return attribute == LayoutAttribute::leading || attribute == LayoutAttribute::trailing;
}

const char* nameOf(LayoutAttribute attribute) {
    switch (attribute) {
        case LayoutAttribute::left:
            return "left";
        case LayoutAttribute::right:
            return "right";
        case LayoutAttribute::top:
            return "top";
        case LayoutAttribute::bottom:
            return "bottom";
        case LayoutAttribute::leading:
            return "leading";
        case LayoutAttribute::trailing:
            return "trailing";
        case LayoutAttribute::width:
            return "width";
        case LayoutAttribute::height:
            return "height";
        case LayoutAttribute::centerX:
            return "centerX";
        case LayoutAttribute::centerY:
            return "centerY";
        case LayoutAttribute::notAnAttribute:
            break;
    }
    return "notAnAttribute";
}

// Layouts run left to right, so leading is left and trailing is right.
LayoutExpression expressionFor(const ItemVariables& item, LayoutAttribute attribute) {
    switch (attribute) {
        case LayoutAttribute::left:
        case LayoutAttribute::leading:
            return item.left;
        case LayoutAttribute::right:
        case LayoutAttribute::trailing:
            return item.left + item.width;
        case LayoutAttribute::top:
            return item.top;
        case LayoutAttribute::bottom:
            return item.top + item.height;
        case LayoutAttribute::width:
            return item.width;
        case LayoutAttribute::height:
            return item.height;
        case LayoutAttribute::centerX:
            return item.left + 0.5 * LayoutExpression(item.width);
        case LayoutAttribute::centerY:
            return item.top + 0.5 * LayoutExpression(item.height);
        case LayoutAttribute::notAnAttribute:
            break;
    }
    return {};
}

LayoutItem* nearestCommonAncestor(LayoutItem* first, LayoutItem* second) {
    if (!second) return first;
    std::vector<LayoutItem*> chain;
    for (LayoutItem* item = first; item; item = item->layoutSuperitem())
        chain.push_back(item);
    for (LayoutItem* item = second; item; item = item->layoutSuperitem())
        if (std::find(chain.begin(), chain.end(), item) != chain.end()) return item;
    return nullptr;
}

}  // namespace ov::ui::layout
