Option Explicit
' A rule script in the style of the installation's: hooks called by name
' with the element, the attribute and the new value, answering through the
' by-reference integers.

Const MSG_NAME_EXISTS = 127
Const MSG_NAME_TOO_LONG = 165
Const MSG_NAME_NOT_LATIN1 = 218
Const MAX_NAME_LENGTH = 16

Dim g_calls
g_calls = 0

Function IsLatin1(text)
    Dim i
    IsLatin1 = True
    For i = 1 To Len(text)
        If AscW(Mid(text, i, 1)) > 255 Or AscW(Mid(text, i, 1)) < 0 Then
            IsLatin1 = False
            Exit Function
        End If
    Next
End Function

' SetVal hook of a contact's name.
Function SetContactName(elem, attr, value, ByRef r1, n, ByRef r2)
    Dim other
    g_calls = g_calls + 1
    SetContactName = 1
    r2 = vbOKOnly + vbExclamation
    If Len(value) > MAX_NAME_LENGTH Then
        r1 = MSG_NAME_TOO_LONG
        Exit Function
    End If
    If Not IsLatin1(value) Then
        r1 = MSG_NAME_NOT_LATIN1
        Exit Function
    End If
    For Each other In elem.parentNode.childNodes
        If Not other Is elem Then
            If other.getAttribute("name") = value Then
                r1 = MSG_NAME_EXISTS
                Exit Function
            End If
        End If
    Next
    attr.value = value
    r2 = 0
    SetContactName = 0
End Function

' A hook that accepts and leaves the by-reference integers alone.
Function SetQuietly(elem, attr, value, ByRef r1, n, ByRef r2)
    attr.value = value
    SetQuietly = 0
End Function

Function CanAddPrivate(elem)
    CanAddPrivate = elem.selectNodes("dfns:Private").length < 3
End Function

Function AddPrivate(elem)
    Dim p
    Set p = elem.ownerDocument.createNode(1, "Private", "urn:varnholt:kvxzot:profile")
    p.setAttribute "name", "New " & (elem.childNodes.length + 1)
    p.setAttribute "pid", "XXXXXXXXXXX"
    Set AddPrivate = elem.appendChild(p)
End Function

Function DeletePrivate(child, ByRef r1, n, ByRef r2)
    If child.getAttribute("pid") = "10000001" Then
        r1 = 10101
        r2 = vbYesNo + vbQuestion
        DeletePrivate = n
        If n <> vbYes Then Exit Function
    End If
    child.parentNode.removeChild child
    DeletePrivate = 0
End Function

Function IsEnabled(elem)
    IsEnabled = IsNull(elem.getAttribute("locked"))
End Function

Function Broken(elem)
    Broken = elem.noSuchMember
End Function

Function Spin()
    Do
    Loop
End Function
