.pragma library

// Keyboard focus across the screens. Focus that the keyboard moved is marked on screen (a
// control's visualFocus); focus that the app places follows how the user got there, so that a
// mouse user sees no mark and a keyboard user keeps seeing one.

function usable(item) {
    return item !== null && item !== undefined && item.visible && item.enabled
}

// Whether the item holds focus that is marked: keyboard focus of a control, or focus that a
// focusable text got by Tab (texts say so through quiet_focus, see place()).
function marked(item) {
    if (!item || !item.activeFocus)
        return false
    if (item.visualFocus !== undefined)
        return item.visualFocus
    return item.quiet_focus === false
}

// Whether the item is one the user moves focus to (a control or a focusable text), not a page or
// a focus scope that holds focus on the way.
function is_target(item) {
    return item !== null && item !== undefined && item.activeFocusOnTab
            && (item.visualFocus !== undefined || item.quiet_focus !== undefined)
}

function inside(item, ancestor) {
    for (let it = item; it; it = it.parent) {
        if (it === ancestor)
            return true
    }
    return false
}

// Moves the focus to item, marked when keyboard is true.
function place(item, keyboard) {
    if (!usable(item))
        return false
    const reason = keyboard ? Qt.TabFocusReason : Qt.OtherFocusReason
    item.forceActiveFocus(reason)
    // After the focus: a text decides by itself when the focus comes in (see came_by_tab), and a
    // control that had the focus already keeps its old reason otherwise.
    if (item.quiet_focus !== undefined)
        item.quiet_focus = !keyboard
    if (item.focusReason !== undefined)
        item.focusReason = reason
    return item.activeFocus
}

// The window's focus, now and before, as the window reports it (focus_changed).
let current_focus = null
let previous_focus = null

function focus_changed(item) {
    if (item === current_focus)
        return
    previous_focus = current_focus
    current_focus = item
}

// For focusable texts, which learn no focus reason: whether item, which is taking the focus, got
// it by Tab or Shift+Tab from the item that had it. Otherwise the focus came back to it by itself
// (a page view handing it back) and goes unmarked.
function came_by_tab(item) {
    const from = current_focus === item ? previous_focus : current_focus
    // An item of a window that has gone has no methods left.
    if (!from || from === item || typeof from.nextItemInFocusChain !== "function")
        return false
    return from.nextItemInFocusChain(true) === item || from.nextItemInFocusChain(false) === item
}

// Enter and Return do what Space does (Qt Quick buttons take only Space).
function activate(button) {
    if (!button.enabled)
        return
    // A selected radio button stays selected, as with Space.
    if (button.checkable && !(button.checked && button.autoExclusive)) {
        button.toggle()
        button.toggled()
    }
    button.clicked()
}

function is_button(item) {
    return item !== null && item !== undefined && typeof item.toggle === "function"
            && item.checkable !== undefined && item.clicked !== undefined
}

// For Keys.onReturnPressed and Keys.onEnterPressed of an item that holds buttons.
function enter_pressed(event, focused) {
    event.accepted = is_button(focused)
    if (event.accepted)
        activate(focused)
}

// Arrow keys in a group of radio buttons: selects the next (step 1) or previous (step -1) shown
// button of the group, wrapping around, as a click would, and moves the focus to it.
function step_in_group(button, group, step) {
    if (!group)
        return false
    const buttons = []
    for (let i = 0; i < group.buttons.length; ++i) {
        if (usable(group.buttons[i]))
            buttons.push(group.buttons[i])
    }
    // In reading order: the group lists its buttons in the order they joined it.
    buttons.sort(function (a, b) {
        const pa = a.mapToItem(null, 0, 0)
        const pb = b.mapToItem(null, 0, 0)
        return pa.y !== pb.y ? pa.y - pb.y : pa.x - pb.x
    })
    const at = buttons.indexOf(button)
    if (at < 0 || buttons.length < 2)
        return false
    const next = buttons[(at + step + buttons.length) % buttons.length]
    place(next, true)
    activate(next)
    return true
}

// The first (forward) or last shown item that Tab stops at under root, in Tab order.
function end_of_tab_order(root, forward) {
    let found = null
    function visit(item) {
        if (!item.visible || !item.enabled)
            return false
        if (item.activeFocusOnTab) {
            found = item
            if (forward)
                return true
        }
        const children = item.children
        for (let i = 0; i < children.length; ++i) {
            if (visit(children[i]))
                return true
        }
        return false
    }
    visit(root)
    return found
}

// Tab at the last stop goes round to the first, Shift+Tab at the first to the last (Qt Quick
// stops there when the window holds page views). For Keys.onTabPressed and onBacktabPressed of
// the item that holds every page.
function wrap_tab(event, root, focused, forward) {
    const next = end_of_tab_order(root, forward)
    event.accepted = next !== null && next !== focused
    if (event.accepted)
        place(next, true)
}
