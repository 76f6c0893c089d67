# bash completion for nimbus-cli
_nimbus_cli()
{
    local cur prev command
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    command=${COMP_WORDS[1]}
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "summary list show add done set remove search export help --help" -- "$cur"))
        return
    fi
    case $prev in
        --format)
            if [[ $command == summary ]]; then
                COMPREPLY=($(compgen -W "text json" -- "$cur"))
            else
                COMPREPLY=($(compgen -W "text json tsv" -- "$cur"))
            fi
            return ;;
        --sort) COMPREPLY=($(compgen -W "due priority title" -- "$cur")); return ;;
        --type) COMPREPLY=($(compgen -W "task event note idea finance general" -- "$cur")); return ;;
        --due) COMPREPLY=($(compgen -W "today tomorrow monday tuesday wednesday thursday friday saturday sunday +1d +1w" -- "$cur")); return ;;
        --output) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --under|--section|--priority|--recur|--limit) return ;;
    esac
    case $command in
        summary) COMPREPLY=($(compgen -W "--format --help" -- "$cur")) ;;
        list)
            COMPREPLY=($(compgen -W "deadlines overdue urgent today week in-progress waiting events new changes favourites all --section --under --type --sort --format --help" -- "$cur")) ;;
        add) COMPREPLY=($(compgen -W "--under --type --due --recur --priority --urgent --help" -- "$cur")) ;;
        set) COMPREPLY=($(compgen -W "title= type= due= time= recur= priority= urgent= fav= status= percent= --help" -- "$cur")); compopt -o nospace 2>/dev/null ;;
        search) COMPREPLY=($(compgen -W "--limit --format --saved --help type: status: urgent due: section:" -- "$cur")); compopt -o nospace 2>/dev/null ;;
        export) COMPREPLY=($(compgen -W "--ics --under --output --help" -- "$cur")) ;;
        help) COMPREPLY=($(compgen -W "summary list show add done set remove search export" -- "$cur")) ;;
        *) COMPREPLY=($(compgen -W "--help" -- "$cur")) ;;
    esac
}
complete -F _nimbus_cli nimbus-cli
