Option Explicit
' DataProfile.vbs: the editing rules of KVX profiles. DataProfile.xsd binds
' these functions to the profile's elements and attributes:
'   SetVal      (element, attribute, value, ByRef r1, n, ByRef r2) -> 0 when
'               applied; otherwise r1 is the message to show and r2 its style,
'               and n carries the user's answer when the call is repeated.
'   CanAddChild (element) -> True when a child may be added.
'   OnAddNew    (element [, text]) -> the new child, created and inserted.
'   OnDelete    (child, ByRef r1, n, ByRef r2) -> 0 when removed; 2 asks for
'               confirmation with message r1 and style r2 (n <> 0 confirms).
' The script stores every value itself; the program does not.

Const PROFILE_NS = "urn:varnholt:kvxzot:profile"

Const MAX_CONTACTS = 150
Const MAX_MESSAGES = 25
Const MAX_PARENT_GROUPS = 5
Const MAX_NAME_LENGTH = 20
Const MAX_MESSAGE_LENGTH = 80
Const MAX_SCAN_LIST = 10

' String-table messages.
Const MSG_SIMILAR_NAME = 127
Const MSG_SIMILAR_PID = 132
Const MSG_MOVE_SCAN_LIST = 133
Const MSG_SCAN_LIST_FULL_MOVED = 134
Const MSG_GROUP_CHANNEL = 136
Const MSG_PRIVATE_CHANNEL = 137
Const MSG_CHANNEL_FULL = 155
Const MSG_SCAN_LIST_FULL = 164
Const MSG_DELETE_PRIVATE_GROUP = 141
Const MSG_DELETE_PRIVATE = 142
Const MSG_NAME_TOO_LONG = 165
Const MSG_MESSAGE_TOO_LONG = 201
Const MSG_MESSAGE_CHARSET = 217
Const MSG_NAME_CHARSET = 218
Const MSG_NAME_EMPTY = 10055
Const MSG_ID_EMPTY = 10099
Const MSG_ID_INVALID = 30001
Const MSG_VALUE_INVALID = 30002

Const RESULT_APPLIED = 0
Const RESULT_REFUSED = 1
Const RESULT_CONFIRM = 2

' ===== Helpers =====

Function ProfileRoot(anyNode)
    Set ProfileRoot = anyNode.ownerDocument.documentElement
End Function

Function LimitNumber(anyNode, name)
    LimitNumber = CLng(ProfileRoot(anyNode).selectSingleNode("dfns:limit").getAttribute(name))
End Function

Function AllContacts(anyNode)
    Set AllContacts = ProfileRoot(anyNode).selectNodes("dfns:Contacts/dfns:*/dfns:*")
End Function

' Free places in the contact table: the radio's capacity, at most 150.
Function ContactRoom(anyNode)
    Dim capacity
    capacity = LimitNumber(anyNode, "max_num_of_contacts")
    If capacity > MAX_CONTACTS Then capacity = MAX_CONTACTS
    ContactRoom = capacity - AllContacts(anyNode).length
End Function

' Printable ISO-8859-1 only: control characters can neither be shown by the
' radio nor stored in the profile file.
Function IsLatin1(text)
    Dim i, c
    IsLatin1 = True
    For i = 1 To Len(text)
        c = AscW(Mid(text, i, 1))
        If c > 255 Or c < 32 Or (c >= 127 And c <= 159) Then
            IsLatin1 = False
            Exit Function
        End If
    Next
End Function

Function IsDigits(text)
    Dim i, c
    IsDigits = Len(text) > 0
    For i = 1 To Len(text)
        c = Mid(text, i, 1)
        If c < "0" Or c > "9" Then
            IsDigits = False
            Exit Function
        End If
    Next
End Function

' The decimal text of a whole number up to 17179869183 (IDs do not fit a Long).
Function IdText(value)
    Dim digits, rest
    digits = ""
    rest = value
    Do
        digits = CStr(rest - Int(rest / 10) * 10) & digits
        rest = Int(rest / 10)
    Loop While rest > 0
    IdText = digits
End Function

' The radio's collation weight class of a character code: letters without
' case, the common accented letters folded onto their base letter; every
' other code stands for itself (AE, E and I with diaeresis and the like stay
' distinct).
Function FoldCode(c)
    Dim k
    If c >= 97 And c <= 122 Then
        FoldCode = c - 32
    ElseIf c < 192 Or c > 252 Then
        FoldCode = c
    Else
        k = c
        If k >= 224 Then k = k - 32
        If k >= 192 And k <= 197 Then
            FoldCode = 65
        ElseIf k = 199 Then
            FoldCode = 67
        ElseIf k >= 200 And k <= 202 Then
            FoldCode = 69
        ElseIf k = 205 Then
            FoldCode = 73
        ElseIf k = 209 Then
            FoldCode = 78
        ElseIf (k >= 210 And k <= 214) Or k = 216 Then
            FoldCode = 79
        ElseIf k >= 217 And k <= 220 Then
            FoldCode = 85
        Else
            FoldCode = c
        End If
    End If
End Function

' Two names are the same name to the radio when they compare equal under its
' collation: same length, and every character of the same weight class.
Function SameName(a, b)
    Dim i, ca, cb
    SameName = False
    If Len(a) <> Len(b) Then Exit Function
    For i = 1 To Len(a)
        ca = AscW(Mid(a, i, 1))
        cb = AscW(Mid(b, i, 1))
        If ca <> cb Then
            If FoldCode(ca) <> FoldCode(cb) Then Exit Function
        End If
    Next
    SameName = True
End Function

' Another contact (any kind) already has the same name under the collation.
Function NameInUse(anyNode, name, except)
    Dim contact
    NameInUse = False
    ' Names of another length never compare equal; XPath leaves those out.
    For Each contact In ProfileRoot(anyNode).selectNodes("dfns:Contacts/dfns:*/dfns:*[string-length(@name) = " & Len(name) & "]")
        If Not contact Is except Then
            If SameName(contact.getAttribute("name"), name) Then
                NameInUse = True
                Exit Function
            End If
        End If
    Next
End Function

Function IdInUse(anyNode, id, except)
    Dim contact
    IdInUse = False
    For Each contact In AllContacts(anyNode)
        If Not contact Is except Then
            If contact.getAttribute("pid") = id Then
                IdInUse = True
                Exit Function
            End If
        End If
    Next
End Function

' The base name, or the base name with the lowest free number.
Function UniqueName(anyNode, ByVal baseName)
    Dim k, suffix, name
    If Len(Trim(baseName)) = 0 Or Not IsLatin1(baseName) Then baseName = "Contact"
    name = Left(baseName, MAX_NAME_LENGTH)
    k = 1
    Do While NameInUse(anyNode, name, Nothing)
        k = k + 1
        suffix = " " & k
        name = Left(baseName, MAX_NAME_LENGTH - Len(suffix)) & suffix
    Loop
    UniqueName = name
End Function

Function UsedIds(anyNode)
    Dim contact, ids
    ids = ","
    For Each contact In AllContacts(anyNode)
        ids = ids & contact.getAttribute("pid") & ","
    Next
    UsedIds = ids
End Function

' The lowest private ID from valid_PID_start on that no contact uses.
Function FreePrivateId(anyNode)
    Dim limit, id, last, used
    Set limit = ProfileRoot(anyNode).selectSingleNode("dfns:limit")
    id = CDbl(limit.getAttribute("valid_PID_start"))
    last = CDbl(limit.getAttribute("valid_PID_end"))
    used = UsedIds(anyNode)
    FreePrivateId = ""
    Do While id <= last
        If InStr(used, "," & IdText(id) & ",") = 0 Then
            FreePrivateId = IdText(id)
            Exit Function
        End If
        id = id + 1
    Loop
End Function

' The first ID of the public group blocks (each counting down from its
' start) that no contact uses.
Function FreePublicId(anyNode)
    Dim limit, i, start, size, k, id, used
    Set limit = ProfileRoot(anyNode).selectSingleNode("dfns:limit")
    used = UsedIds(anyNode)
    FreePublicId = ""
    For i = 0 To 3
        start = CDbl(limit.getAttribute("public_grp_info_start_pid" & i))
        size = CLng(limit.getAttribute("public_grp_info_lst_size" & i))
        For k = 0 To size - 1
            If start - k < 0 Then Exit For
            id = IdText(start - k)
            If InStr(used, "," & id & ",") = 0 Then
                FreePublicId = id
                Exit Function
            End If
        Next
    Next
End Function

' Private and private-group IDs lie in valid_PID_start .. valid_PID_end;
' public-group IDs in one of the public blocks (counting down from a start).
Function IdInRange(contact, id)
    Dim limit, value, i, start, size
    Set limit = ProfileRoot(contact).selectSingleNode("dfns:limit")
    value = CDbl(id)
    If contact.baseName = "PublicGroup" Then
        IdInRange = False
        For i = 0 To 3
            start = CDbl(limit.getAttribute("public_grp_info_start_pid" & i))
            size = CLng(limit.getAttribute("public_grp_info_lst_size" & i))
            If size > 0 And value <= start And value > start - size Then
                IdInRange = True
                Exit Function
            End If
        Next
    Else
        IdInRange = value >= CDbl(limit.getAttribute("valid_PID_start")) And _
                    value <= CDbl(limit.getAttribute("valid_PID_end"))
    End If
End Function

Function NewElement(anyNode, name)
    Set NewElement = anyNode.ownerDocument.createNode(1, name, PROFILE_NS)
End Function

' Renames the entries of every private scroll list that name a contact.
Sub RenameScrollListEntries(anyNode, oldName, newName)
    Dim entry
    For Each entry In ScrollListEntries(ProfileRoot(anyNode), oldName)
        entry.setAttribute "name", newName
    Next
End Sub

' A text as an XPath string literal.
Function XPathText(text)
    If InStr(text, """") = 0 Then
        XPathText = """" & text & """"
    ElseIf InStr(text, "'") = 0 Then
        XPathText = "'" & text & "'"
    Else
        XPathText = "concat(""" & Replace(text, """", """, '""', """) & """)"
    End If
End Function

' The entries of every private scroll list that name a contact.
Function ScrollListEntries(root, name)
    Set ScrollListEntries = root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private/dfns:scrolllist/dfns:list[@name = " & XPathText(name) & "]")
End Function

Sub RemoveScrollListEntries(root, name)
    Dim entry
    For Each entry In ScrollListEntries(root, name)
        entry.parentNode.removeChild entry
    Next
End Sub

Sub ClearHomeGroups(root, groupId)
    Dim contact
    For Each contact In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private")
        If contact.getAttribute("home_grp") = groupId Then contact.setAttribute "home_grp", ""
    Next
End Sub

Function GroupHasMembers(root, groupId)
    Dim entry
    GroupHasMembers = False
    For Each entry In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private/dfns:ParentPrivateGroups/dfns:ParentPrivateGroup")
        If entry.getAttribute("pid") = groupId Then
            GroupHasMembers = True
            Exit Function
        End If
    Next
End Function

' Removes a private group and every reference to it.
Sub RemovePrivateGroup(root, group)
    Dim groupId, entry
    groupId = group.getAttribute("pid")
    For Each entry In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private/dfns:ParentPrivateGroups/dfns:ParentPrivateGroup")
        If entry.getAttribute("pid") = groupId Then entry.parentNode.removeChild entry
    Next
    ClearHomeGroups root, groupId
    RemoveScrollListEntries root, group.getAttribute("name")
    group.parentNode.removeChild group
End Sub

' ===== Text messages =====

Function CanAddTextMessage(messages)
    Dim capacity
    capacity = LimitNumber(messages, "max_num_of_predefined_msgs")
    If capacity > MAX_MESSAGES Then capacity = MAX_MESSAGES
    CanAddTextMessage = messages.childNodes.length < capacity
End Function

' A new message starts empty; the message view asks for its text.
Function AddTextMessage(messages)
    Dim message
    Set message = NewElement(messages, "TextMessage")
    message.setAttribute "txt", ""
    Set AddTextMessage = messages.appendChild(message)
End Function

Function SetMessageText(message, attribute, value, r1, n, r2)
    Dim text
    text = CStr(value)
    If Len(text) > MAX_MESSAGE_LENGTH Then
        r1 = MSG_MESSAGE_TOO_LONG
        r2 = vbOKOnly + vbExclamation
        SetMessageText = RESULT_REFUSED
    ElseIf Not IsLatin1(text) Then
        r1 = MSG_MESSAGE_CHARSET
        r2 = vbOKCancel + vbExclamation
        SetMessageText = RESULT_REFUSED
    Else
        message.setAttribute "txt", text
        SetMessageText = RESULT_APPLIED
    End If
End Function

' ===== Contacts =====

Function CanAddPublicGroup(groups)
    CanAddPublicGroup = False
    If groups.childNodes.length >= LimitNumber(groups, "max_num_of_public_grps") Then Exit Function
    If ContactRoom(groups) <= 0 Then Exit Function
    CanAddPublicGroup = FreePublicId(groups) <> ""
End Function

Function AddPublicGroup(groups)
    Dim group
    Set group = NewElement(groups, "PublicGroup")
    group.setAttribute "cntct_type", "2"
    group.setAttribute "name", UniqueName(groups, "Public Group")
    group.setAttribute "pid", FreePublicId(groups)
    group.setAttribute "channel", "1"
    group.setAttribute "in_scan_list", "0"
    group.setAttribute "in_scroll_list", "1"
    Set AddPublicGroup = groups.appendChild(group)
End Function

Function CanAddPrivateGroup(groups)
    CanAddPrivateGroup = False
    If groups.childNodes.length >= LimitNumber(groups, "max_num_of_private_grps") Then Exit Function
    If ContactRoom(groups) <= 0 Then Exit Function
    CanAddPrivateGroup = FreePrivateId(groups) <> ""
End Function

Function AddPrivateGroup(groups, baseName)
    Dim group
    Set group = NewElement(groups, "PrivateGroup")
    group.setAttribute "cntct_type", "1"
    group.setAttribute "name", UniqueName(groups, baseName)
    group.setAttribute "pid", FreePrivateId(groups)
    group.setAttribute "channel", "1"
    group.setAttribute "in_scroll_list", "1"
    Set AddPrivateGroup = groups.appendChild(group)
End Function

Function CanAddPrivate(privates)
    CanAddPrivate = False
    If ContactRoom(privates) <= 0 Then Exit Function
    CanAddPrivate = FreePrivateId(privates) <> ""
End Function

Function AddPrivate(privates, baseName)
    Dim contact
    Set contact = NewElement(privates, "Private")
    contact.setAttribute "cntct_type", "0"
    contact.setAttribute "name", UniqueName(privates, baseName)
    contact.setAttribute "pid", FreePrivateId(privates)
    contact.setAttribute "channel", "1"
    contact.setAttribute "in_scroll_list", "1"
    contact.setAttribute "alert_tone", "1"
    contact.setAttribute "home_grp", ""
    contact.setAttribute "show_grp_only", "0"
    contact.setAttribute "id_in_use", "1"
    contact.setAttribute "see_all_groups", "1"
    contact.setAttribute "mngr_mode", "0"
    contact.setAttribute "private_scroll_list", "0"
    contact.appendChild NewElement(privates, "ParentPrivateGroups")
    contact.appendChild NewElement(privates, "scrolllist")
    Set AddPrivate = privates.appendChild(contact)
End Function

Function CanAddParentGroup(parents)
    CanAddParentGroup = parents.childNodes.length < MAX_PARENT_GROUPS
End Function

' The private group view sets the group's ID right after adding the entry.
Function AddParentGroup(parents)
    Dim entry
    Set entry = NewElement(parents, "ParentPrivateGroup")
    entry.setAttribute "pid", ""
    Set AddParentGroup = parents.appendChild(entry)
End Function

Function CanAddScrollListEntry(list)
    CanAddScrollListEntry = list.childNodes.length < MAX_CONTACTS
End Function

' A contact is listed once; adding it again gives its existing entry.
Function AddScrollListEntry(list, name)
    Dim entry
    For Each entry In list.childNodes
        If entry.getAttribute("name") = name Then
            Set AddScrollListEntry = entry
            Exit Function
        End If
    Next
    Set entry = NewElement(list, "list")
    entry.setAttribute "name", name
    Set AddScrollListEntry = list.appendChild(entry)
End Function

Function SetContactName(contact, attribute, value, r1, n, r2)
    Dim name, oldName
    name = CStr(value)
    SetContactName = RESULT_REFUSED
    r2 = vbOKOnly + vbExclamation
    If Len(name) = 0 Then
        r1 = MSG_NAME_EMPTY
    ElseIf Len(name) > MAX_NAME_LENGTH Then
        r1 = MSG_NAME_TOO_LONG
    ElseIf Not IsLatin1(name) Then
        r1 = MSG_NAME_CHARSET
    ElseIf NameInUse(contact, name, contact) Then
        r1 = MSG_SIMILAR_NAME
    Else
        r2 = 0
        oldName = contact.getAttribute("name")
        If oldName <> name Then RenameScrollListEntries contact, oldName, name
        contact.setAttribute "name", name
        SetContactName = RESULT_APPLIED
    End If
End Function

Function SetContactPid(contact, attribute, value, r1, n, r2)
    Dim id, oldId, entry, root
    id = Trim(CStr(value))
    SetContactPid = RESULT_REFUSED
    r2 = vbOKOnly + vbExclamation
    If id = "" Then
        r1 = MSG_ID_EMPTY
        Exit Function
    End If
    If Not IsDigits(id) Or Len(id) > 11 Then
        r1 = MSG_ID_INVALID
        Exit Function
    End If
    If IdInUse(contact, id, contact) Then
        r1 = MSG_SIMILAR_PID
        Exit Function
    End If
    If Not IdInRange(contact, id) Then
        r1 = MSG_ID_INVALID
        Exit Function
    End If
    r2 = 0
    oldId = contact.getAttribute("pid")
    Set root = ProfileRoot(contact)
    ' Memberships and home groups follow a group to its new ID.
    If oldId <> id And contact.baseName <> "Private" And oldId <> "" Then
        For Each entry In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private/dfns:ParentPrivateGroups/dfns:ParentPrivateGroup")
            If entry.getAttribute("pid") = oldId Then entry.setAttribute "pid", id
        Next
        For Each entry In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private")
            If entry.getAttribute("home_grp") = oldId Then entry.setAttribute "home_grp", id
        Next
    End If
    contact.setAttribute "pid", id
    SetContactPid = RESULT_APPLIED
End Function

Function DeletePublicGroup(group, r1, n, r2)
    Dim root
    Set root = ProfileRoot(group)
    ClearHomeGroups root, group.getAttribute("pid")
    RemoveScrollListEntries root, group.getAttribute("name")
    group.parentNode.removeChild group
    DeletePublicGroup = RESULT_APPLIED
End Function

Function DeletePrivateGroup(group, r1, n, r2)
    If n = 0 Then
        r1 = MSG_DELETE_PRIVATE_GROUP
        r2 = vbOKCancel + vbQuestion
        DeletePrivateGroup = RESULT_CONFIRM
        Exit Function
    End If
    RemovePrivateGroup ProfileRoot(group), group
    DeletePrivateGroup = RESULT_APPLIED
End Function

' A private leaves its groups with it; groups left without members go too.
Function DeletePrivate(contact, r1, n, r2)
    Dim root, groupIds, entry, group, i
    If n = 0 Then
        r1 = MSG_DELETE_PRIVATE
        r2 = vbOKCancel + vbQuestion
        DeletePrivate = RESULT_CONFIRM
        Exit Function
    End If
    Set root = ProfileRoot(contact)
    groupIds = Array()
    For Each entry In contact.selectNodes("dfns:ParentPrivateGroups/dfns:ParentPrivateGroup")
        ReDim Preserve groupIds(UBound(groupIds) + 1)
        groupIds(UBound(groupIds)) = entry.getAttribute("pid")
    Next
    RemoveScrollListEntries root, contact.getAttribute("name")
    contact.parentNode.removeChild contact
    For i = 0 To UBound(groupIds)
        If Not GroupHasMembers(root, groupIds(i)) Then
            For Each group In root.selectNodes("dfns:Contacts/dfns:PrivateGroups/dfns:PrivateGroup")
                If group.getAttribute("pid") = groupIds(i) Then RemovePrivateGroup root, group
            Next
        End If
    Next
    DeletePrivate = RESULT_APPLIED
End Function

' ===== Channels and lists =====

' A flag value as the views and the command line pass it: True, 1 or "1".
Function FlagOn(value)
    Dim text
    text = LCase(Trim(CStr(value)))
    FlagOn = (text = "1" Or text = "true" Or text = "-1")
End Function

' Public groups in the scan list of a channel, not counting one of them.
Function ScanListCount(root, channel, except)
    Dim group, count
    count = 0
    For Each group In root.selectNodes("dfns:Contacts/dfns:PublicGroups/dfns:PublicGroup")
        If Not group Is except Then
            If group.getAttribute("channel") = channel And group.getAttribute("in_scan_list") = "1" Then count = count + 1
        End If
    Next
    ScanListCount = count
End Function

' Home groups name a group on the private's own channel; references to a
' group that left a private's channel are cleared.
Sub ClearForeignHomeGroups(root, groupId, channel)
    Dim contact
    For Each contact In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private")
        If contact.getAttribute("home_grp") = groupId And contact.getAttribute("channel") <> channel Then
            contact.setAttribute "home_grp", ""
        End If
    Next
End Sub

Function ChannelValid(contact, channel)
    ChannelValid = False
    If Not IsDigits(channel) Or Len(channel) > 3 Then Exit Function
    ChannelValid = CLng(channel) >= 1 And CLng(channel) <= LimitNumber(contact, "max_num_of_channels")
End Function

' A public group in a scan list moves to the new channel's scan list (asked
' first: 133); when that list is full the group leaves the scan list (134).
' A private group loses its members (asked first: 136). A private leaves its
' groups, groups left without members are deleted and its home group is
' cleared (asked first: 137).
Function SetContactChannel(contact, attribute, value, r1, n, r2)
    Dim channel, root, kind, entry, groupIds, i, group
    channel = Trim(CStr(value))
    SetContactChannel = RESULT_REFUSED
    If Not ChannelValid(contact, channel) Then
        r1 = MSG_VALUE_INVALID
        r2 = vbOKOnly + vbExclamation
        Exit Function
    End If
    SetContactChannel = RESULT_APPLIED
    If contact.getAttribute("channel") = channel Then Exit Function
    Set root = ProfileRoot(contact)
    kind = contact.baseName
    If kind = "PublicGroup" Then
        If contact.getAttribute("in_scan_list") = "1" Then
            If n = 0 Then
                r1 = MSG_MOVE_SCAN_LIST
                r2 = vbOKCancel + vbQuestion
                SetContactChannel = RESULT_CONFIRM
                Exit Function
            End If
            If ScanListCount(root, channel, contact) >= MAX_SCAN_LIST Then
                contact.setAttribute "in_scan_list", "0"
                r1 = MSG_SCAN_LIST_FULL_MOVED
                r2 = vbOKOnly + vbInformation
            End If
        End If
        contact.setAttribute "channel", channel
        ClearForeignHomeGroups root, contact.getAttribute("pid"), channel
    ElseIf kind = "PrivateGroup" Then
        If GroupHasMembers(root, contact.getAttribute("pid")) Then
            If n = 0 Then
                r1 = MSG_GROUP_CHANNEL
                r2 = vbOKCancel + vbQuestion
                SetContactChannel = RESULT_CONFIRM
                Exit Function
            End If
            For Each entry In root.selectNodes("dfns:Contacts/dfns:Privates/dfns:Private/dfns:ParentPrivateGroups/dfns:ParentPrivateGroup")
                If entry.getAttribute("pid") = contact.getAttribute("pid") Then entry.parentNode.removeChild entry
            Next
        End If
        contact.setAttribute "channel", channel
        ClearForeignHomeGroups root, contact.getAttribute("pid"), channel
    Else
        If n = 0 And (contact.selectNodes("dfns:ParentPrivateGroups/dfns:ParentPrivateGroup").length > 0 _
                      Or contact.getAttribute("home_grp") <> "") Then
            r1 = MSG_PRIVATE_CHANNEL
            r2 = vbOKCancel + vbQuestion
            SetContactChannel = RESULT_CONFIRM
            Exit Function
        End If
        groupIds = Array()
        For Each entry In contact.selectNodes("dfns:ParentPrivateGroups/dfns:ParentPrivateGroup")
            ReDim Preserve groupIds(UBound(groupIds) + 1)
            groupIds(UBound(groupIds)) = entry.getAttribute("pid")
            entry.parentNode.removeChild entry
        Next
        contact.setAttribute "home_grp", ""
        contact.setAttribute "channel", channel
        RemoveEmptyGroups root, groupIds
    End If
End Function

' Deletes those of the given private groups that have no member left.
Sub RemoveEmptyGroups(root, groupIds)
    Dim i, group
    For i = 0 To UBound(groupIds)
        If Not GroupHasMembers(root, groupIds(i)) Then
            For Each group In root.selectNodes("dfns:Contacts/dfns:PrivateGroups/dfns:PrivateGroup")
                If group.getAttribute("pid") = groupIds(i) Then RemovePrivateGroup root, group
            Next
        End If
    Next
End Sub

' At most ten public groups in the scan list of one channel (164).
Function SetInScanList(group, attribute, value, r1, n, r2)
    SetInScanList = RESULT_APPLIED
    If Not FlagOn(value) Then
        group.setAttribute "in_scan_list", "0"
        Exit Function
    End If
    If group.getAttribute("in_scan_list") = "1" Then Exit Function
    If ScanListCount(ProfileRoot(group), group.getAttribute("channel"), group) >= MAX_SCAN_LIST Then
        r1 = MSG_SCAN_LIST_FULL
        r2 = vbOKOnly + vbExclamation
        SetInScanList = RESULT_REFUSED
        Exit Function
    End If
    group.setAttribute "in_scan_list", "1"
End Function

' Manager mode lets a private see all groups: switching it on switches
' see_all_groups on, and switching see_all_groups off ends manager mode.
Function SetManagerMode(contact, attribute, value, r1, n, r2)
    If FlagOn(value) Then
        contact.setAttribute "mngr_mode", "1"
        contact.setAttribute "see_all_groups", "1"
    Else
        contact.setAttribute "mngr_mode", "0"
    End If
    SetManagerMode = RESULT_APPLIED
End Function

Function SetSeeAllGroups(contact, attribute, value, r1, n, r2)
    If FlagOn(value) Then
        contact.setAttribute "see_all_groups", "1"
    Else
        contact.setAttribute "see_all_groups", "0"
        contact.setAttribute "mngr_mode", "0"
    End If
    SetSeeAllGroups = RESULT_APPLIED
End Function

' Switching the private scroll list off keeps its entries: the radio ignores
' them while the list is off, and switching it on again brings them back.
Function SetPrivateScrollList(contact, attribute, value, r1, n, r2)
    If FlagOn(value) Then
        contact.setAttribute "private_scroll_list", "1"
    Else
        contact.setAttribute "private_scroll_list", "0"
    End If
    SetPrivateScrollList = RESULT_APPLIED
End Function

' A home group is empty or a private or public group on the private's channel.
Function SetHomeGroup(contact, attribute, value, r1, n, r2)
    Dim id, group
    id = Trim(CStr(value))
    SetHomeGroup = RESULT_APPLIED
    If id <> "" Then
        SetHomeGroup = RESULT_REFUSED
        For Each group In ProfileRoot(contact).selectNodes("dfns:Contacts/dfns:PrivateGroups/dfns:PrivateGroup | dfns:Contacts/dfns:PublicGroups/dfns:PublicGroup")
            If group.getAttribute("pid") = id And group.getAttribute("channel") = contact.getAttribute("channel") Then
                SetHomeGroup = RESULT_APPLIED
            End If
        Next
        If SetHomeGroup <> RESULT_APPLIED Then
            r1 = MSG_VALUE_INVALID
            r2 = vbOKOnly + vbExclamation
            Exit Function
        End If
    End If
    contact.setAttribute "home_grp", id
End Function

' ===== Folders =====

' A folder is shown when the radio holds entries of its kind; text messages
' also need a radio that sends messages.
Function IsFolderEnabled(folder)
    Dim kind
    kind = folder.baseName
    If kind = "Privates" Then
        IsFolderEnabled = LimitNumber(folder, "max_num_of_contacts") > 0
    ElseIf kind = "PrivateGroups" Then
        IsFolderEnabled = LimitNumber(folder, "max_num_of_private_grps") > 0
    ElseIf kind = "PublicGroups" Then
        IsFolderEnabled = LimitNumber(folder, "max_num_of_public_grps") > 0
    ElseIf kind = "TextMessages" Then
        IsFolderEnabled = LimitNumber(folder, "max_num_of_predefined_msgs") > 0 And _
                          LimitNumber(folder, "sms_mesgs_tx_en") <> 0
    Else
        IsFolderEnabled = True
    End If
End Function

' ===== Settings =====

Function InList(value, list)
    InList = InStr("," & list & ",", "," & value & ",") > 0
End Function

' Languages the radio offers, as ",id,id,".
Function RadioLanguages(anyNode)
    Dim language, ids
    ids = ","
    For Each language In ProfileRoot(anyNode).selectNodes("dfns:limit/dfns:languages/dfns:language")
        ids = ids & language.getAttribute("language_id") & ","
    Next
    RadioLanguages = ids
End Function

' The values the settings view offers for the radio-wide settings; anything
' else is refused and the setting keeps its value.
Function SettingValid(setting, name, text)
    Dim value, maxVolume
    SettingValid = False
    If name = "password" Then
        SettingValid = Len(text) = 0 Or (Len(text) = 4 And IsDigits(text))
        Exit Function
    End If
    If Not IsDigits(text) Or Len(text) > 10 Then Exit Function
    value = CDbl(text)
    maxVolume = LimitNumber(setting, "max_vol_level")
    Select Case name
        Case "contrast"
            SettingValid = value <= 6
        Case "backlight"
            SettingValid = InList(text, "0,5000,10000,20000,30000,90000")
        Case "tot_timer"
            SettingValid = InList(text, "60,120,180")
        Case "ringer_vol_level", "keypad_vol_level"
            SettingValid = value <= maxVolume
        Case "speaker_vol_level", "alarm_vol_level", "earpiece_vol_level"
            SettingValid = value >= 1 And value <= maxVolume
        Case "tpt_offset"
            SettingValid = value <= 13
        Case "noise_level_accessory", "noise_level_radio"
            SettingValid = value >= 1 And value <= 4
        Case "language"
            SettingValid = InStr(RadioLanguages(setting), "," & CStr(CLng(value)) & ",") > 0
        Case "current_time", "alarm_time"
            ' Up to 31 December 2059 23:59:59; 0 leaves the radio's clock alone.
            SettingValid = value <= CDbl("2871763199")
        Case Else
            SettingValid = True
    End Select
End Function

Function SetSettingValue(setting, attribute, value, r1, n, r2)
    Dim text
    text = Trim(CStr(value))
    If Not SettingValid(setting, attribute.nodeName, text) Then
        r1 = MSG_VALUE_INVALID
        r2 = vbOKOnly + vbExclamation
        SetSettingValue = RESULT_REFUSED
        Exit Function
    End If
    If attribute.nodeName <> "password" Then text = CStr(CDbl(text))
    setting.setAttribute attribute.nodeName, text
    SetSettingValue = RESULT_APPLIED
End Function

' Scanning needs a radio that scans public groups.
Function SetScanEnabled(setting, attribute, value, r1, n, r2)
    If FlagOn(value) Then
        If LimitNumber(setting, "public_scan_en") = 0 Then
            r1 = MSG_VALUE_INVALID
            r2 = vbOKOnly + vbExclamation
            SetScanEnabled = RESULT_REFUSED
            Exit Function
        End If
        setting.setAttribute "scan_en", "1"
    Else
        setting.setAttribute "scan_en", "0"
    End If
    SetScanEnabled = RESULT_APPLIED
End Function
